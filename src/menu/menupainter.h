// menu/menupainter.h
// How the menu looks: the game's frame dimmed behind it, a framed panel in the game's pixel
// style (an ink outline, a bevel lit from the top left, a night-blue face), a pointer beside
// the chosen line and lines of text centred in the panel. Everything works on the work surface
// in its own pixel format and is clipped to it: no rectangle, however large or far off, writes
// a pixel outside the surface.
#pragma once

#include <cstdint>
#include <string_view>

#include "device/kivdraw.h"
#include "device/surface.h"
#include "menu/menufont.h"

namespace kipkip {

class MenuPainter {
public:
    // Colours as 0xRRGGBB, from the game's palette.
    static constexpr std::uint32_t kText = 0xF4F4F4;
    static constexpr std::uint32_t kChosen = 0xFFEC27;
    static constexpr std::uint32_t kHeading = 0x73EFF7;
    static constexpr std::uint32_t kCursor = 0xFFEC27;
    static constexpr std::uint32_t kOutline = 0x10101C;
    static constexpr std::uint32_t kBevelLight = 0xC8F4FF;
    static constexpr std::uint32_t kBevelShade = 0x3B5DC9;
    static constexpr std::uint32_t kFace = 0x1A1C2C;

    explicit MenuPainter(const MenuFont& font) : font_(font) {}

    // Every channel of every pixel halved, rounded down.
    static void Dim(Surface& surface);
    // `box` (right and bottom exclusive) in one colour.
    static void Fill(Surface& surface, const TRect& box, std::uint32_t colour);
    // The panel filling `box` (right and bottom exclusive): outline, bevel and face.
    static void Panel(Surface& surface, const TRect& box);
    // The pointer, a solid triangle in kCursor, its box's top-left at (x, y) like a letter's.
    void Cursor(Surface& surface, int x, int y) const;
    // The text with its box centred between the box's left and right edges, its top at y.
    void CentredText(Surface& surface, const TRect& box, int y, std::string_view text,
                     std::uint32_t colour) const;

private:
    const MenuFont& font_;  // not owned: the menu keeps its font as long as its painter
};

}  // namespace kipkip
