#include "platform/bmpwriter.h"

#include <bit>
#include <cstddef>
#include <limits>

#include "platform/byteorder.h"

namespace kipkip {
namespace {

constexpr std::size_t kFileHeaderSize = 14;
constexpr std::size_t kInfoHeaderSize = 40;
constexpr std::int32_t kPixelsPerMetre = 2835;  // 72 dots per inch, what most writers put

// One channel of a pixel value, widened or narrowed to 8 bits.
class Channel {
public:
    explicit Channel(std::uint32_t mask)
        : shift_(std::countr_zero(mask)), bits_(std::popcount(mask)), mask_(mask)
    {}

    std::uint8_t Of(std::uint32_t pixel) const
    {
        if (bits_ == 0) {
            return 0;
        }
        std::uint32_t value = (pixel & mask_) >> shift_;
        if (bits_ >= 8) {
            return static_cast<std::uint8_t>(value >> (bits_ - 8));
        }
        // The value repeated until it fills 8 bits or more, then cut to the top 8.
        std::uint32_t wide = 0;
        int filled = 0;
        while (filled < 8) {
            wide = (wide << bits_) | value;
            filled += bits_;
        }
        return static_cast<std::uint8_t>(wide >> (filled - 8));
    }

private:
    int shift_;
    int bits_;
    std::uint32_t mask_;
};

}  // namespace

std::vector<std::uint8_t> EncodeBmp24(const FrameView& frame)
{
    const PixelFormat& format = frame.format;
    int bytesPerPixel = format.BytesPerPixel();
    bool knownSize = format.bitsPerPixel == 8 || format.bitsPerPixel == 16 ||
                     format.bitsPerPixel == 24 || format.bitsPerPixel == 32;
    if (frame.pixels == nullptr || frame.width <= 0 || frame.height <= 0 || !knownSize ||
        frame.pitch < static_cast<std::int64_t>(frame.width) * bytesPerPixel) {
        return {};
    }
    std::uint64_t stride = (static_cast<std::uint64_t>(frame.width) * 3 + 3) / 4 * 4;
    std::uint64_t imageSize = stride * static_cast<std::uint64_t>(frame.height);
    std::uint64_t fileSize = kFileHeaderSize + kInfoHeaderSize + imageSize;
    if (fileSize > std::numeric_limits<std::uint32_t>::max()) {
        return {};
    }

    std::vector<std::uint8_t> out;
    out.reserve(static_cast<std::size_t>(fileSize));
    out.push_back('B');
    out.push_back('M');
    AppendLe32(out, static_cast<std::uint32_t>(fileSize));
    AppendLe32(out, 0);  // two reserved words
    AppendLe32(out, kFileHeaderSize + kInfoHeaderSize);
    AppendLe32(out, kInfoHeaderSize);
    AppendLe32(out, static_cast<std::uint32_t>(frame.width));
    AppendLe32(out, static_cast<std::uint32_t>(frame.height));  // positive: the bottom row first
    AppendLe16(out, 1);                                         // planes
    AppendLe16(out, 24);
    AppendLe32(out, 0);  // no compression
    AppendLe32(out, static_cast<std::uint32_t>(imageSize));
    AppendLe32(out, kPixelsPerMetre);
    AppendLe32(out, kPixelsPerMetre);
    AppendLe32(out, 0);  // no palette
    AppendLe32(out, 0);

    bool palette = format.redMask == 0 && format.greenMask == 0 && format.blueMask == 0;
    Channel red(format.redMask);
    Channel green(format.greenMask);
    Channel blue(format.blueMask);
    std::size_t padding =
        static_cast<std::size_t>(stride) - static_cast<std::size_t>(frame.width) * 3;
    for (int y = frame.height - 1; y >= 0; --y) {
        const std::uint8_t* row = frame.pixels + static_cast<std::size_t>(y) * frame.pitch;
        for (int x = 0; x < frame.width; ++x) {
            const std::uint8_t* at = row + static_cast<std::size_t>(x) * bytesPerPixel;
            std::uint32_t pixel = 0;
            for (int b = 0; b < bytesPerPixel; ++b) {
                pixel |= static_cast<std::uint32_t>(at[b]) << (8 * b);
            }
            if (palette) {
                out.insert(out.end(), 3, static_cast<std::uint8_t>(pixel));
                continue;
            }
            out.push_back(blue.Of(pixel));
            out.push_back(green.Of(pixel));
            out.push_back(red.Of(pixel));
        }
        out.insert(out.end(), padding, 0);
    }
    return out;
}

}  // namespace kipkip
