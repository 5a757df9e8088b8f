// toy/toycaption.h
// A fixed line of text on a layer, drawn with a bitmap font of the box at the caption's
// position plus the layer's origin. Its hit rectangle is the extent of the text drawn last.
// The font is found by name once, when the caption is made; asking for a wave turns on the
// font's own wave, for every user of that font. A caption does not own its font.
#pragma once

#include <string>
#include <vector>

#include "toy/toyshape.h"

namespace kipkip {

class TToyFont;

class TToyCaption : public TToyShape {
public:
    // From the current block of `db`: the shape keys, "fontId" (the font's name), "wave"
    // (non-zero: the font waves) and "text". A caption whose font does not exist draws nothing
    // and ignores "wave".
    TToyCaption(TToyBox* box, TTexDb& db);

    void Draw(int originX, int originY) override;
    // The wave is the font's, so it is not written.
    void SaveKeys(std::vector<std::string>& lines) override;

    // Not owned. The font the caption was made with; once that font is no longer one of the
    // box's objects, the caption lets it go at its next draw or save instead of using it.
    TToyFont* font = nullptr;
    std::string text;

private:
    TToyFont* FontStillInBox();
};

}  // namespace kipkip
