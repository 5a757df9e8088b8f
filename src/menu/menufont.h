// menu/menufont.h
// The menu's pixel letters: ASCII from space to underscore (lower case drawn as capitals), four
// arrows and the menu's pointer, 5 x 7 each on a 6-pixel pitch, every lit pixel ringed in dark
// ink so the text reads over any part of the game's backdrop. A string's box is 6n + 1 pixels
// wide and 9 high; (x, y) is its top-left corner, the ring included. The letters come from the
// built-in bitmap MENUFONT (tools/assets/bitmaps/menufont.py), cells of 7 x 9 in character order.
//
// Drawing is clipped to the surface: whatever the position or the string, no pixel outside it
// is written. A character the font has no glyph for draws nothing and takes no room; the menu
// asks CanDraw first and shows such a key by its code.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string_view>
#include <vector>

#include "device/surface.h"

namespace kipkip {

class MenuFont {
public:
    static constexpr int kAdvance = 6;  // from one letter's left edge to the next one's
    static constexpr int kHeight = 9;   // a line's height, the ring included
    static constexpr std::uint32_t kRingColour = 0x10101C;

    // The arrows and the menu's pointer (a solid triangle pointing right), as characters a
    // string can hold.
    static constexpr char kPointer = '\x1B';
    static constexpr char kArrowLeft = '\x1C';
    static constexpr char kArrowRight = '\x1D';
    static constexpr char kArrowUp = '\x1E';
    static constexpr char kArrowDown = '\x1F';

    // The built-in letters, or nothing when the program was built without them.
    static std::optional<MenuFont> BuiltIn();
    // Letters from an 8-bit BMP laid out as MENUFONT is, or nothing when it is not one.
    static std::optional<MenuFont> FromBitmap(std::span<const std::uint8_t> bytes);

    static bool CanDraw(char c);
    // The width of the string's box; 0 when it has nothing to draw.
    static int Width(std::string_view text);

    // `colour` is 0xRRGGBB, for the lit pixels; the ring is kRingColour.
    void Draw(Surface& surface, int x, int y, std::string_view text, std::uint32_t colour) const;

private:
    enum class Dot : std::uint8_t { None, Ring, Lit };

    explicit MenuFont(std::vector<Dot> dots) : dots_(std::move(dots)) {}

    void DrawGlyph(Surface& surface, long long x, long long y, int cell, Dot dot,
                   std::uint32_t value) const;

    std::vector<Dot> dots_;  // cell after cell, kCellWidth x kCellHeight each, rows top first
};

}  // namespace kipkip
