// platform/sdl/sdlbitmap.h
// BMP files decoded by SDL and converted to the pixel format the drawing device asks for.
//
// The header is read and checked here first, so that a file SDL would misread, or one whose
// size would make SDL allocate without bound, is refused with a reason before SDL sees it.
// Files with a palette (1, 4 and 8 bits) are handed to SDL with their palette filled out to
// all 2^bits entries: SDL refuses a pixel whose index lies past a short palette, which
// Windows draws, and entries the file does not hold would otherwise be read from whatever
// follows them. Entries the file does not hold are black, so such pixels come out as value 0,
// the transparent colour.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>

#include "platform/ports.h"

namespace kipkip {

class SdlBitmap : public BitmapPort {
public:
    // Far beyond any picture the game draws; a header that claims more is refused before
    // anything is allocated for it. At 32 bits the largest picture is 64 MiB.
    static constexpr int kMaxSide = 16384;
    static constexpr std::int64_t kMaxPixels = 16 * 1024 * 1024;

    // Needs no SDL_Init. The result's pixels are the file's colours in `format`: channels cut
    // to their width (a 16-bit file's channels widened by SDL's scaling), every bit outside
    // the three masks 0.
    std::optional<Picture> Decode(std::span<const std::uint8_t> bytes, const PixelFormat& format,
                                  std::string& error) override;
};

}  // namespace kipkip
