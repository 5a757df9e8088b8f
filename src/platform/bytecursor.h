// platform/bytecursor.h
// Reads of a file's image at given offsets, each checked against the image's length: the RIFF,
// BMP and MIDI readers ask Has() first, so that they can say what is missing, and a read that
// would still fall outside gives zeros instead of bytes past the end.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <span>
#include <string>
#include <string_view>

#include "platform/byteorder.h"

namespace kipkip {

class ByteCursor {
public:
    explicit ByteCursor(std::span<const std::uint8_t> image) : image_(image) {}

    std::size_t Size() const { return image_.size(); }

    // n bytes from offset lie inside the image.
    bool Has(std::size_t offset, std::size_t n) const
    {
        return FitsInside(image_.size(), offset, n);
    }

    // The image holds the four-character id (or any other word) at offset.
    bool IdAt(std::size_t offset, std::string_view id) const
    {
        return Has(offset, id.size()) &&
               std::memcmp(image_.data() + offset, id.data(), id.size()) == 0;
    }

    std::uint8_t U8At(std::size_t offset) const { return Has(offset, 1) ? image_[offset] : 0; }
    std::uint16_t Le16At(std::size_t offset) const
    {
        return Has(offset, 2) ? LoadLe16(At(offset)) : 0;
    }
    std::uint32_t Le32At(std::size_t offset) const
    {
        return Has(offset, 4) ? LoadLe32(At(offset)) : 0;
    }
    std::uint16_t Be16At(std::size_t offset) const
    {
        return Has(offset, 2) ? LoadBe16(At(offset)) : 0;
    }
    std::uint32_t Be32At(std::size_t offset) const
    {
        return Has(offset, 4) ? LoadBe32(At(offset)) : 0;
    }

    // The n bytes from offset, or none when they do not all lie inside the image.
    std::span<const std::uint8_t> BytesAt(std::size_t offset, std::size_t n) const
    {
        return Has(offset, n) ? image_.subspan(offset, n) : std::span<const std::uint8_t>{};
    }

    // The four bytes of a chunk id for a message, each unprintable byte shown as '?'.
    std::string IdText(std::size_t offset) const
    {
        std::string text;
        for (std::size_t i = 0; i < 4; ++i) {
            const char c = static_cast<char>(U8At(offset + i));
            text += (c >= 0x20 && c < 0x7F) ? c : '?';
        }
        return text;
    }

private:
    const std::uint8_t* At(std::size_t offset) const { return image_.data() + offset; }

    std::span<const std::uint8_t> image_;
};

}  // namespace kipkip
