// device/surface.h
// A plain pixel buffer in one of the pixel formats the drawing device knows, with pixel
// value 0 meaning black (and, for sprites, transparent).
#pragma once

#include <cstdint>
#include <vector>

#include "platform/ports.h"

namespace kipkip {

// The formats by the drawing device's pixel kinds.
namespace pixelformats {
inline constexpr PixelFormat kIndexed8{8, 0, 0, 0};
inline constexpr PixelFormat kRgb555{16, 0x7C00, 0x03E0, 0x001F};
inline constexpr PixelFormat kRgb565{16, 0xF800, 0x07E0, 0x001F};
inline constexpr PixelFormat kRgb24{24, 0xFF0000, 0x00FF00, 0x0000FF};
inline constexpr PixelFormat kXrgb32{32, 0xFF0000, 0x00FF00, 0x0000FF};
}  // namespace pixelformats

class Surface {
public:
    Surface() = default;
    Surface(int width, int height, PixelFormat format);

    int Width() const { return width_; }
    int Height() const { return height_; }
    int Pitch() const { return pitch_; }
    const PixelFormat& Format() const { return format_; }
    bool Empty() const { return pixels_.empty(); }

    std::uint8_t* Row(int y) { return pixels_.data() + static_cast<std::size_t>(y) * pitch_; }
    const std::uint8_t* Row(int y) const
    {
        return pixels_.data() + static_cast<std::size_t>(y) * pitch_;
    }

    // A pixel as one little-endian number of BytesPerPixel bytes; no bounds check.
    std::uint32_t Pixel(int x, int y) const;
    void SetPixel(int x, int y, std::uint32_t value);

    void Fill(std::uint32_t value);
    // Copies the rectangle (left, top)-(right, bottom) of `source` (same format) to (x, y),
    // leaving out pixels of value 0. The caller keeps both rectangles inside their surfaces.
    void BlitKeyed(const Surface& source, int left, int top, int right, int bottom, int x, int y);
    FrameView View() const { return FrameView{pixels_.data(), width_, height_, pitch_, format_}; }

private:
    int width_ = 0;
    int height_ = 0;
    int pitch_ = 0;
    PixelFormat format_;
    std::vector<std::uint8_t> pixels_;
};

}  // namespace kipkip
