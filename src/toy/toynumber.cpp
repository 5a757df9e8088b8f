#include "toy/toynumber.h"

#include <string>

#include "texdb/texdb.h"
#include "toy/toybox.h"
#include "toy/toyimage.h"

namespace kipkip {

namespace {

// The digit cells' positions are worked in 64 bits and brought back to 32 as the screen's
// integer arithmetic wraps, so no position or cell size overflows.
int Wrap(std::int64_t value)
{
    return static_cast<int>(static_cast<std::uint32_t>(value));
}

}  // namespace

DigitLayout LayOutDigits(std::int32_t value, int x, int y, int cellWidth, int cellHeight,
                         bool rightAligned)
{
    const std::string text = std::to_string(value);
    const auto count = static_cast<std::int64_t>(text.size());
    DigitLayout layout;
    layout.cells.reserve(text.size());
    // The last digit's cell starts at the position when right-aligned, the first one when
    // left-aligned.
    const std::int64_t first = rightAligned ? x - (count - 1) * cellWidth : x;
    for (std::int64_t i = 0; i < count; ++i) {
        char c = text[static_cast<std::size_t>(i)];
        int cell = c >= '0' && c <= '9' ? c - '0' : -1;
        layout.cells.push_back({Wrap(first + i * cellWidth), y, cell});
    }
    if (rightAligned) {
        layout.hitRect = {Wrap(-(count - 1) * cellWidth), 0, cellWidth, cellHeight};
    } else {
        layout.hitRect = {0, 0, Wrap(count * cellWidth), cellHeight};
    }
    return layout;
}

TToyNumber::TToyNumber(TToyBox* box, TTexDb& db) : TToyShape(box, db)
{
    imageName = db.Get("imageId").Text();
    value = db.Get("num").Int(0);
    std::string base(db.Get("base").Text());
    image = box == nullptr ? nullptr : box->FindImage(imageName);
    rightAligned = base == "left" ? 0 : 1;
}

void TToyNumber::Draw(int, int)
{
    if (image == nullptr) {
        return;
    }
    if (rightAligned == 1) {
        DrawRightAligned();
    } else {
        DrawLeftAligned();
    }
}

void TToyNumber::SaveKeys(std::vector<std::string>& lines)
{
    TToyShape::SaveKeys(lines);
    lines.push_back("\timageId\t\t" + (image != nullptr ? image->name : imageName));
    lines.emplace_back(rightAligned != 0 ? "\tbase\t\tright" : "\tbase\t\tleft");
    lines.push_back("\tnum\t\t\t" + std::to_string(value));
}

void TToyNumber::DrawRightAligned()
{
    DrawLayout(true);
}

void TToyNumber::DrawLeftAligned()
{
    DrawLayout(false);
}

void TToyNumber::DrawLayout(bool right)
{
    if (image == nullptr) {
        return;
    }
    DigitLayout layout = LayOutDigits(value, x, y, image->cellWidth, image->cellHeight, right);
    hitRect = layout.hitRect;
    // A right-aligned number is drawn from its last digit, at the position, leftwards.
    const auto count = static_cast<int>(layout.cells.size());
    for (int i = 0; i < count; ++i) {
        const DigitLayout::Cell& cell = layout.cells[right ? count - 1 - i : i];
        // A minus sign has no cell in the digit image: its place stays empty.
        if (cell.cell >= 0) {
            image->DrawCell(cell.x, cell.y, cell.cell);
        }
    }
}

}  // namespace kipkip
