#include "toy/toyframe.h"

#include <utility>

#include "texdb/texdb.h"
#include "toy/toybox.h"
#include "toy/toyimage.h"
#include "toy/toynames.h"
#include "toy/toyobjlist.h"

namespace kipkip {

TToyFrame::TToyFrame(TToyBox* box, TTexDb& db, TToyObjList* owner)
    : TToyShape(box, db), owner(owner)
{
    imageName = db.Get("imageId").Text();
    std::int32_t count = db.Get("cellNum").Int(0);
    if (owner != nullptr) {
        image = dynamic_cast<TToyImage*>(owner->Find(toynames::kImage, imageName));
    } else {
        image = box == nullptr ? nullptr : box->FindImage(imageName);
    }
    // The cell lines are the ones after "cellNum", whatever their keys; a count larger than
    // the block ends with the block.
    for (std::int32_t i = 0; i < count && db.NextEntry(); ++i) {
        TexValue value = db.EntryValue();
        FrameCell cell{static_cast<std::int16_t>(value.Int(0)),
                       static_cast<std::int16_t>(value.Int(1)),
                       static_cast<std::uint16_t>(value.Int(2))};
        cells.push_back(cell);
        // Without an image a cell has no size, and the frame's rectangle stays as it is.
        if (image != nullptr) {
            ExtendHitRect({cell.x, cell.y, cell.x + image->cellWidth, cell.y + image->cellHeight});
        }
    }
}

void TToyFrame::SaveKeys(std::vector<std::string>& lines)
{
    TToyShape::SaveKeys(lines);
    lines.push_back("\timageId\t\t" + (image != nullptr ? image->name : imageName));
    lines.push_back("\tcellNum\t\t" + std::to_string(cells.size()));
    for (const FrameCell& cell : cells) {
        lines.push_back("\tcell\t\t" + std::to_string(cell.x) + "," + std::to_string(cell.y) + "," +
                        std::to_string(cell.index));
    }
}

void TToyFrame::DrawCells(int originX, int originY)
{
    if (image == nullptr) {
        return;
    }
    for (const FrameCell& cell : cells) {
        image->DrawCell(originX + x + cell.x, originY + y + cell.y, cell.index);
    }
}

const FrameCell* TToyFrame::GetCell(int index) const
{
    if (index < 0 || index >= CellCount()) {
        return nullptr;
    }
    return &cells[static_cast<std::size_t>(index)];
}

}  // namespace kipkip
