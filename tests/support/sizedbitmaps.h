// tests/support/sizedbitmaps.h
// A bitmap port for scenes that use the program's built-in bitmaps without decoding them: a
// real BMP file becomes a picture of the size its header states, each pixel marked with the
// 4 x 4 block it lies in, so a test can tell which cell was drawn where. Test text bitmaps
// ("W H p p p ...", see FakeBitmaps) are decoded as FakeBitmaps does.
#pragma once

#include <cstdint>
#include <cstdlib>

#include "support/fakeports.h"

namespace kipkip::test {

class SizedBitmaps : public FakeBitmaps {
public:
    // The value of pixel (x, y) of a BMP's picture: never 0 (transparent), and different for
    // every 4 x 4 block of a bitmap up to 1024 x 960.
    static std::uint32_t Mark(int x, int y) { return 1 + x / 4 + 256 * (y / 4); }

    std::optional<Picture> Decode(std::span<const std::uint8_t> bytes, const PixelFormat& format,
                                  std::string& error) override
    {
        if (bytes.size() < 26 || bytes[0] != 'B' || bytes[1] != 'M') {
            return FakeBitmaps::Decode(bytes, format, error);
        }
        auto le32 = [&bytes](std::size_t at) {
            return static_cast<std::int32_t>(bytes[at] | bytes[at + 1] << 8 | bytes[at + 2] << 16 |
                                             static_cast<std::uint32_t>(bytes[at + 3]) << 24);
        };
        Picture picture;
        picture.width = le32(18);
        picture.height = std::abs(le32(22));
        picture.format = format;
        picture.pitch = picture.width * format.BytesPerPixel();
        picture.pixels.resize(static_cast<std::size_t>(picture.pitch) * picture.height);
        for (int y = 0; y < picture.height; ++y) {
            for (int x = 0; x < picture.width; ++x) {
                std::uint32_t value = Mark(x, y);
                std::size_t at = static_cast<std::size_t>(y) * picture.pitch +
                                 static_cast<std::size_t>(x) * format.BytesPerPixel();
                for (int b = 0; b < format.BytesPerPixel(); ++b) {
                    picture.pixels[at + b] = static_cast<std::uint8_t>(value >> (8 * b));
                }
            }
        }
        ++bmpDecodes;
        return picture;
    }

    int bmpDecodes = 0;
};

}  // namespace kipkip::test
