#include "device/surface.h"

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

}  // namespace kipkip
