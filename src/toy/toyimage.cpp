#include "toy/toyimage.h"

#include <utility>

#include "platform/fatalerror.h"
#include "texdb/texdb.h"
#include "toy/toybox.h"
#include "toy/toynames.h"

namespace kipkip {

TToyImage::TToyImage(TToyBox* box, TTexDb& db)
    : TToyObject(box, std::string(toynames::kImage), std::string(),
                 std::string(toynames::kCategoryResource))
{
    name = db.Get("name").Text();
    fileName = db.Get("fileName").Text();
    TexValue size = db.Get("size");
    cellWidth = size.Int(0);
    cellHeight = size.Int(1);
    FatalError(!LoadSprite(), toynames::kImageNotCreated);
}

TToyImage::TToyImage(TToyBox* box, std::string name, std::string fileName, int cellWidth,
                     int cellHeight)
    : TToyObject(box, std::string(toynames::kImage), std::move(name),
                 std::string(toynames::kCategoryResource)),
      fileName(std::move(fileName)),
      cellWidth(cellWidth),
      cellHeight(cellHeight)
{
    FatalError(!LoadSprite(), toynames::kImageNotCreated);
}

TToyImage::~TToyImage()
{
    if (box != nullptr) {
        box->DeleteSprite(name);
    }
}

void TToyImage::Prepare()
{
    if (box != nullptr) {
        box->CreateSprite(name, fileName, cellWidth, cellHeight);
    }
}

void TToyImage::SaveKeys(std::vector<std::string>& lines)
{
    lines.push_back("\tfileName\t" + fileName);
    if (cellWidth != 0 || cellHeight != 0) {
        lines.push_back("\tsize\t\t" + std::to_string(cellWidth) + "," +
                        std::to_string(cellHeight));
    }
}

bool TToyImage::Rename(std::string newName)
{
    if (box != nullptr) {
        box->DeleteSprite(name);
    }
    TToyObject::Rename(std::move(newName));
    return LoadSprite();
}

bool TToyImage::SetFileName(std::string_view newFileName)
{
    std::string copy(newFileName);  // the argument may be this image's own file name
    if (box != nullptr) {
        box->DeleteSprite(name);
    }
    fileName = std::move(copy);
    cellWidth = 0;
    cellHeight = 0;
    return LoadSprite();
}

bool TToyImage::SetCellSize(int width, int height)
{
    if (box != nullptr) {
        box->DeleteSprite(name);
    }
    cellWidth = width;
    cellHeight = height;
    return LoadSprite();
}

bool TToyImage::LoadSprite()
{
    if (name.empty() || fileName.empty() || box == nullptr) {
        return false;
    }
    bool ok = box->CreateSprite(name, fileName, cellWidth, cellHeight);
    // Each query leaves its fields as they were when the sprite does not exist.
    int a = 0;
    int b = 0;
    if (box->GetSpriteSize(name, a, b)) {
        cellWidth = a;
        cellHeight = b;
    }
    if (box->GetSpriteInfo(name, a, b)) {
        columns = a;
        cellCount = b;
    }
    if (box->GetSpriteSurfSize(name, a, b)) {
        bitmapWidth = a;
        bitmapHeight = b;
    }
    return ok;
}

void TToyImage::DrawCell(int x, int y, int cell)
{
    // The device draws nothing for a cell number outside 0 .. cellCount - 1.
    if (box != nullptr) {
        box->DrawSprite(x, y, name, cell, 0, 0);
    }
}

}  // namespace kipkip
