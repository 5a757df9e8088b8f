// toy/toyfont.h
// A bitmap font: one sprite, registered under the font's name, cut into 29 glyph cells ("A" to
// "Z", "?", "!" and the space, in that order), each with its own advance width. DrawText puts
// a line of text on the screen, optionally on a moving wave, and records the extent it drew.
// The wave belongs to the font, so every user of a waving font waves. The font is a resource:
// it is never drawn by the box, keeps its sprite when it is destroyed, and does not register
// it again on Prepare.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "toy/toyobject.h"

namespace kipkip {

class TToyFont : public TToyObject {
public:
    static constexpr int kGlyphCount = 29;
    static constexpr int kQuestionGlyph = 26;
    static constexpr int kExclamationGlyph = 27;
    static constexpr int kSpaceGlyph = 28;
    static constexpr int kWidthsPerLine = 8;  // a data line holds at most eight shorts

    // From the current block of `db`: "name", "fileName", "size" (cell width and height),
    // then every line after "size" as a line of up to eight widths, a 0 ending its line. A font
    // whose bitmap cannot be registered is still made; its glyphs then draw nothing.
    TToyFont(TToyBox* box, TTexDb& db);

    void SaveKeys(std::vector<std::string>& lines) override;
    // Draws the text with its first glyph's top-left corner at (x, y), each glyph advancing
    // by its width, and sets textRect to what was drawn. On a wave, each glyph rises and falls
    // by up to 8 pixels over 800 ms of the kernel's clock, each one 40 ms behind the one
    // before.
    virtual void DrawText(int x, int y, std::string_view text);

    // The glyph cell of a character, or -1 for one the font has no glyph for.
    static int GlyphOf(char c);
    // The wave's vertical offset of the character at `index` (counted from 1) at `clock`.
    static double WaveOffset(std::int32_t clock, std::int64_t index);

    std::string fileName;
    std::int32_t cellWidth = 0;  // as the drawing device reports them; 0 when not registered
    std::int32_t cellHeight = 0;
    std::array<std::int32_t, kGlyphCount> widths{};
    std::int32_t lineHeight = 0;  // the cell height as written in the block
    TToyRect textRect;            // what the last DrawText drew, relative to its start
    bool wave = false;
};

}  // namespace kipkip
