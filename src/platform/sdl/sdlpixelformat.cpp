#include "platform/sdl/sdlpixelformat.h"

#include <SDL.h>

namespace kipkip {

std::uint32_t SdlPixelFormatFor(const PixelFormat& format)
{
    if (format.bitsPerPixel != 16 && format.bitsPerPixel != 24 && format.bitsPerPixel != 32) {
        return SDL_PIXELFORMAT_UNKNOWN;
    }
    // For 24 bits SDL names formats by byte order: masks 0xFF0000, 0xFF00, 0xFF of a
    // little-endian value are the bytes B, G, R, which SDL calls BGR24.
    std::uint32_t sdlFormat = SDL_MasksToPixelFormatEnum(format.bitsPerPixel, format.redMask,
                                                         format.greenMask, format.blueMask, 0);
    int bits = 0;
    Uint32 red = 0;
    Uint32 green = 0;
    Uint32 blue = 0;
    Uint32 alpha = 0;
    if (sdlFormat == SDL_PIXELFORMAT_UNKNOWN ||
        SDL_PixelFormatEnumToMasks(sdlFormat, &bits, &red, &green, &blue, &alpha) != SDL_TRUE ||
        static_cast<int>(SDL_BYTESPERPIXEL(sdlFormat)) != format.BytesPerPixel() ||
        red != format.redMask || green != format.greenMask || blue != format.blueMask ||
        alpha != 0) {
        return SDL_PIXELFORMAT_UNKNOWN;
    }
    return sdlFormat;
}

}  // namespace kipkip
