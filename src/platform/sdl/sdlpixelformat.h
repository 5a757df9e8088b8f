// platform/sdl/sdlpixelformat.h
// Our pixel formats as SDL names them, for the bitmaps SDL decodes and the frames the window
// uploads.
#pragma once

#include <cstdint>

#include "platform/ports.h"

namespace kipkip {

// SDL's own format for `format`, or SDL_PIXELFORMAT_UNKNOWN when SDL has none with exactly
// these masks (palette formats among them: there is no palette to map into).
std::uint32_t SdlPixelFormatFor(const PixelFormat& format);

}  // namespace kipkip
