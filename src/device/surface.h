// device/surface.h
// A plain pixel buffer in one of the pixel formats the drawing device knows, with pixel
// value 0 meaning black (and, for sprites, transparent).
#pragma once

#include <cstdint>
#include <vector>

#include "platform/pixelformats.h"
#include "platform/ports.h"

namespace kipkip {

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
