// platform/pixelformats.h
// The pixel formats the game draws and reads in, by name: the drawing device's pixel kinds,
// the screen's 5-6-5 among them.
#pragma once

#include "platform/ports.h"

namespace kipkip::pixelformats {

inline constexpr PixelFormat kIndexed8{8, 0, 0, 0};
inline constexpr PixelFormat kRgb555{16, 0x7C00, 0x03E0, 0x001F};
inline constexpr PixelFormat kRgb565{16, 0xF800, 0x07E0, 0x001F};
inline constexpr PixelFormat kRgb24{24, 0xFF0000, 0x00FF00, 0x0000FF};
inline constexpr PixelFormat kXrgb32{32, 0xFF0000, 0x00FF00, 0x0000FF};

}  // namespace kipkip::pixelformats
