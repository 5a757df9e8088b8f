// toy/toynumber.h
// A number on the screen (the game's height, remaining time and high score): one cell of a
// digit image per decimal digit, digit d drawn from cell d. The game sets `value` directly and
// the next drawing pass shows it. A right-aligned display keeps its last digit at the
// position and grows to the left; a left-aligned one starts its first digit there. The hit
// rectangle is brought up to date by each draw and spans the digits drawn last.
//
// The position is a screen position: unlike pictures and frames, a number display does not
// add its layer's origin.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "toy/toyshape.h"

namespace kipkip {

// Where the digits of a number go: one cell per character of its decimal text, left to
// right, and the rectangle they span relative to the position. A character that is not a
// digit (the minus sign of a negative value) keeps its place and has cell -1: nothing is
// drawn there.
struct DigitLayout {
    struct Cell {
        int x = 0;
        int y = 0;
        int cell = 0;
        bool operator==(const Cell&) const = default;
    };
    std::vector<Cell> cells;
    TToyRect hitRect;
};

// The layout of `value` at (x, y) with digit cells of cellWidth by cellHeight.
DigitLayout LayOutDigits(std::int32_t value, int x, int y, int cellWidth, int cellHeight,
                         bool rightAligned);

class TToyNumber : public TToyShape {
public:
    // From the current block of `db`: the shape keys, "imageId" (the digit image), "num" (the
    // value, 0 when missing) and "base" ("left"; anything else, or nothing, is right).
    TToyNumber(TToyBox* box, TTexDb& db);

    // Draws nothing without an image; the origin is not used (see above).
    void Draw(int originX, int originY) override;
    void SaveKeys(std::vector<std::string>& lines) override;

    void DrawRightAligned();
    void DrawLeftAligned();

    std::int32_t rightAligned = 1;  // 1 or 0
    std::int32_t value = 0;

private:
    void DrawLayout(bool right);
};

}  // namespace kipkip
