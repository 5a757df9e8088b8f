// toy/toyframe.h
// A picture composed of cells of one image, each at its own offset from the frame's position,
// drawn in order so that later cells lie over earlier ones. Frames are what animations show
// and what platforms are drawn with. A frame's own Draw is empty: it is drawn through
// DrawCells, by its animation or by the actor it shows. Its hit rectangle covers every cell
// and the frame's own position.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "toy/toyshape.h"

namespace kipkip {

class TToyObjList;

// One cell of a frame: the offset from the frame's position and the image cell shown there.
struct FrameCell {
    std::int16_t x = 0;
    std::int16_t y = 0;
    std::uint16_t index = 0;
};

class TToyFrame : public TToyShape {
public:
    // From the current block of `db`: the shape keys, "imageId", "cellNum" and the lines that
    // follow "cellNum" (x, y, cell index), as many as it says or as the block has. The image
    // is looked up in `owner` (an animation file's list) or, without one, in the box.
    TToyFrame(TToyBox* box, TTexDb& db, TToyObjList* owner);

    void SaveKeys(std::vector<std::string>& lines) override;

    // Every cell at (origin + frame position + cell offset); nothing without an image.
    void DrawCells(int originX, int originY);
    // nullptr outside 0 .. CellCount() - 1.
    const FrameCell* GetCell(int index) const;
    int CellCount() const { return static_cast<int>(cells.size()); }

    TToyObjList* owner = nullptr;  // not owned; nullptr: the box
    std::vector<FrameCell> cells;  // in drawing order
};

}  // namespace kipkip
