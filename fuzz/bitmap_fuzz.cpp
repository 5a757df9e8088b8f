// The BMP decoder on any bytes: a picture comes out in the asked format with exactly its rows'
// bytes and every unused bit 0, or the file is refused with a reason. The seeds are the
// ImageMagick files of tests/data/bitmaps, a version-5 header from ImageMagick, and a few built
// with tests/support/bmpbytes.h: a short palette, RLE4, an OS/2 header, top-down 5-6-5 fields.
#include <cstdint>
#include <cstdlib>

#include "platform/pixelformats.h"
#include "platform/sdl/sdlbitmap.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    using namespace kipkip;
    const PixelFormat formats[] = {pixelformats::kRgb565, pixelformats::kXrgb32};
    SdlBitmap decoder;
    for (const PixelFormat& format : formats) {
        std::string error;
        std::optional<Picture> picture = decoder.Decode(std::span(data, size), format, error);
        if (!picture) {
            if (error.empty()) {
                std::abort();  // a refused file always says why
            }
            continue;
        }
        if (picture->format != format || picture->width <= 0 || picture->height <= 0 ||
            picture->pitch != picture->width * format.BytesPerPixel() ||
            picture->pixels.size() != static_cast<std::size_t>(picture->pitch) * picture->height) {
            std::abort();
        }
        if (format.bitsPerPixel == 32) {
            for (std::size_t i = 3; i < picture->pixels.size(); i += 4) {
                if (picture->pixels[i] != 0) {
                    std::abort();  // the X byte is never set
                }
            }
        }
    }
    return 0;
}
