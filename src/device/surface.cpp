#include "device/surface.h"

#include <cstring>

namespace kipkip {

Surface::Surface(int width, int height, PixelFormat format)
    : width_(width),
      height_(height),
      pitch_(width * format.BytesPerPixel()),
      format_(format),
      pixels_(static_cast<std::size_t>(pitch_) * static_cast<std::size_t>(height))
{}

std::uint32_t Surface::Pixel(int x, int y) const
{
    const std::uint8_t* p = Row(y) + x * format_.BytesPerPixel();
    std::uint32_t value = 0;
    for (int i = format_.BytesPerPixel() - 1; i >= 0; --i) {
        value = (value << 8) | p[i];
    }
    return value;
}

void Surface::SetPixel(int x, int y, std::uint32_t value)
{
    std::uint8_t* p = Row(y) + x * format_.BytesPerPixel();
    for (int i = 0; i < format_.BytesPerPixel(); ++i) {
        p[i] = static_cast<std::uint8_t>(value >> (8 * i));
    }
}

void Surface::Fill(std::uint32_t value)
{
    for (int y = 0; y < height_; ++y) {
        for (int x = 0; x < width_; ++x) {
            SetPixel(x, y, value);
        }
    }
}

namespace {

// Pixels as whole machine words; every target pixel is written, with itself where the source
// is transparent, so the loop has no branch and vectorises (memcpy keeps the byte buffers free
// of aliasing questions and compiles to plain loads and stores).
template <typename Pixel>
[[gnu::always_inline]] inline void BlitRows(const std::uint8_t* source, int sourcePitch,
                                            std::uint8_t* target, int targetPitch, int width,
                                            int height)
{
    for (int row = 0; row < height; ++row) {
        const std::uint8_t* s = source + row * sourcePitch;
        std::uint8_t* d = target + row * targetPitch;
        for (int x = 0; x < width; ++x) {
            Pixel from;
            Pixel to;
            std::memcpy(&from, s + x * sizeof(Pixel), sizeof(Pixel));
            std::memcpy(&to, d + x * sizeof(Pixel), sizeof(Pixel));
            to = from != 0 ? from : to;
            std::memcpy(d + x * sizeof(Pixel), &to, sizeof(Pixel));
        }
    }
}

[[gnu::target_clones("avx2", "default")]] void BlitRows16(const std::uint8_t* source,
                                                          int sourcePitch, std::uint8_t* target,
                                                          int targetPitch, int width, int height)
{
    BlitRows<std::uint16_t>(source, sourcePitch, target, targetPitch, width, height);
}

[[gnu::target_clones("avx2", "default")]] void BlitRows32(const std::uint8_t* source,
                                                          int sourcePitch, std::uint8_t* target,
                                                          int targetPitch, int width, int height)
{
    BlitRows<std::uint32_t>(source, sourcePitch, target, targetPitch, width, height);
}

}  // namespace

void Surface::BlitKeyed(const Surface& source, int left, int top, int right, int bottom, int x,
                        int y)
{
    int width = right - left;
    int height = bottom - top;
    if (width <= 0 || height <= 0) {
        return;
    }
    int bytes = format_.BytesPerPixel();
    const std::uint8_t* from = source.Row(top) + left * bytes;
    std::uint8_t* to = Row(y) + x * bytes;
    switch (bytes) {
        case 2:
            BlitRows16(from, source.pitch_, to, pitch_, width, height);
            return;
        case 4:
            BlitRows32(from, source.pitch_, to, pitch_, width, height);
            return;
        default:
            for (int row = 0; row < height; ++row) {
                for (int column = 0; column < width; ++column) {
                    std::uint32_t value = source.Pixel(left + column, top + row);
                    if (value != 0) {
                        SetPixel(x + column, y + row, value);
                    }
                }
            }
    }
}

}  // namespace kipkip
