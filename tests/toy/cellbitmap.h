// tests/toy/cellbitmap.h
// Test bitmaps cut into cells whose every pixel says which cell it belongs to and where in the
// cell it lies, and the reader that finds on the work surface which cells were drawn where:
// by each cell's top-left corner, even for a cell that lies partly off the surface.
#pragma once

#include <algorithm>
#include <cstdint>
#include <ostream>
#include <set>
#include <string>
#include <tuple>
#include <vector>

#include "device/surface.h"

namespace kipkip::test {

// A 16-bit pixel: (cell + 1) * 256 + the pixel's index inside its cell. Never 0, so never
// transparent; cells of at most 256 pixels and at most 255 cells.
inline std::uint32_t CellMark(int cell, int indexInCell)
{
    return static_cast<std::uint32_t>((cell + 1) * 256 + indexInCell);
}

// The text of a FakeBitmaps bitmap of columns x rows cells of cellWidth x cellHeight, cells
// numbered row by row as the drawing device numbers them.
inline std::string CellBitmap(int columns, int rows, int cellWidth, int cellHeight)
{
    std::string text =
        std::to_string(columns * cellWidth) + " " + std::to_string(rows * cellHeight);
    for (int y = 0; y < rows * cellHeight; ++y) {
        for (int x = 0; x < columns * cellWidth; ++x) {
            int cell = (y / cellHeight) * columns + x / cellWidth;
            int index = (y % cellHeight) * cellWidth + x % cellWidth;
            text += " " + std::to_string(CellMark(cell, index));
        }
    }
    return text;
}

struct DrawnCell {
    int x = 0;
    int y = 0;
    int cell = 0;

    bool operator==(const DrawnCell&) const = default;
    auto operator<=>(const DrawnCell&) const = default;
};

inline std::ostream& operator<<(std::ostream& out, const DrawnCell& drawn)
{
    return out << "cell " << drawn.cell << " at " << drawn.x << "," << drawn.y;
}

// Every cell of a CellBitmap with cells cellWidth wide found on a 16-bit surface, ordered by
// x, then y.
inline std::vector<DrawnCell> DrawnCells(const Surface& surface, int cellWidth)
{
    std::set<DrawnCell> found;
    for (int y = 0; y < surface.Height(); ++y) {
        for (int x = 0; x < surface.Width(); ++x) {
            std::uint32_t value = surface.Pixel(x, y);
            if (value == 0) {
                continue;
            }
            int index = static_cast<int>(value % 256);
            int cell = static_cast<int>(value / 256) - 1;
            found.insert({x - index % cellWidth, y - index / cellWidth, cell});
        }
    }
    return std::vector<DrawnCell>(found.begin(), found.end());
}

}  // namespace kipkip::test
