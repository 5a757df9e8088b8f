#include "toy/toypicture.h"

#include <utility>

#include "texdb/texdb.h"
#include "toy/toybox.h"
#include "toy/toyimage.h"

namespace kipkip {

TToyPicture::TToyPicture(TToyBox* box, TTexDb& db) : TToyShape(box, db)
{
    imageName = db.Get("imageId").Text();
    fileName = db.Get("fileName").Text();
    cell = db.Get("num").Int(0);
    if (!IsSpriteMode()) {
        image = box == nullptr ? nullptr : box->FindImage(imageName);
        TakeImageSize();
        return;
    }
    image = nullptr;
    cell = 0;
    ownsSprite = box != nullptr && box->CreateSprite(name, fileName, 0, 0);
    int width = 0;
    int height = 0;
    if (ownsSprite) {
        box->GetSpriteSize(name, width, height);
    }
    TakeSize(width, height);
}

TToyPicture::~TToyPicture()
{
    if (ownsSprite && box != nullptr) {
        box->DeleteSprite(name);
    }
}

void TToyPicture::Draw(int originX, int originY)
{
    if (ownsSprite) {
        box->DrawSprite(originX + x, originY + y, name, 0, 0, 0);
    } else if (image != nullptr) {
        image->DrawCell(originX + x, originY + y, cell);
    }
}

void TToyPicture::Prepare()
{
    if (IsSpriteMode()) {
        ownsSprite = box != nullptr && box->CreateSprite(name, fileName, 0, 0);
        int width = 0;
        int height = 0;
        if (box != nullptr) {
            box->GetSpriteSize(name, width, height);
        }
        TakeSize(width, height);
    } else {
        image = imageName.empty() || box == nullptr ? nullptr : box->FindImage(imageName);
        TakeImageSize();
    }
}

void TToyPicture::SaveKeys(std::vector<std::string>& lines)
{
    TToyShape::SaveKeys(lines);
    if (IsSpriteMode()) {
        lines.push_back("\tfileName\t" + fileName);
    } else {
        lines.push_back("\timageId\t\t" + (image != nullptr ? image->name : imageName));
    }
    if (cell != 0) {
        lines.push_back("\tnum\t\t" + std::to_string(cell));
    }
}

bool TToyPicture::Rename(std::string newName)
{
    if (!IsSpriteMode()) {
        return TToyShape::Rename(std::move(newName));
    }
    if (box != nullptr) {
        box->DeleteSprite(name);
    }
    TToyShape::Rename(std::move(newName));
    std::string file = fileName;
    return UseFile(file);
}

bool TToyPicture::SetImage(std::string_view newImageName, int newCell)
{
    std::string wanted(newImageName);  // the argument may be this picture's own image name
    if (IsSpriteMode() || ownsSprite) {
        if (box != nullptr) {
            box->DeleteSprite(name);
        }
        fileName.clear();
        ownsSprite = false;
    }
    if (!TToyShape::SetImage(wanted, newCell)) {
        return false;
    }
    cell = newCell;
    TakeImageSize();
    return true;
}

bool TToyPicture::UseFile(std::string_view newFileName)
{
    std::string file(newFileName);
    if (box == nullptr || !box->CreateSprite(name, file, 0, 0)) {
        return false;
    }
    ownsSprite = true;
    image = nullptr;
    fileName = std::move(file);
    cell = 0;
    int width = 0;
    int height = 0;
    box->GetSpriteSize(name, width, height);
    TakeSize(width, height);
    return true;
}

void TToyPicture::TakeSize(int width, int height)
{
    hitRect.right = width;
    hitRect.bottom = height;
}

void TToyPicture::TakeImageSize()
{
    if (image != nullptr) {
        TakeSize(image->cellWidth, image->cellHeight);
    } else {
        TakeSize(0, 0);
    }
}

}  // namespace kipkip
