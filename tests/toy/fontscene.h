// tests/toy/fontscene.h
// A scene with the glyph bitmap "glyphs.bmp": 8 x 8 cells, ten to a row, three rows, each
// pixel marked with its cell (see cellbitmap.h). The font block kGlyphFont uses it with the
// widths A 10, B 12, "?" 3, "!" 5, space 4 and 3 for every other letter.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "toy/cellbitmap.h"
#include "toy/toyfont.h"
#include "toy/toyscene.h"

namespace kipkip::test {

inline constexpr std::string_view kGlyphFont =
    "{\nclass Font\nname glyph\nfileName glyphs\nsize 8,8\n"
    "width 10,12,3,3,3,3,3,3\n"
    "width 3,3,3,3,3,3,3,3\n"
    "width 3,3,3,3,3,3,3,3\n"
    "width 3,3,3,5,4\n}\n";

struct FontScene : SceneFixture {
    FontScene() { dir.Write("glyphs.bmp", CellBitmap(10, 3, 8, 8)); }

    TToyFont* Font(std::string_view name = "glyph")
    {
        return dynamic_cast<TToyFont*>(box.FindObject("Font", name));
    }
    std::vector<DrawnCell> DrawnNow() { return DrawnCells(draw.WorkSurface(), 8); }
};

}  // namespace kipkip::test
