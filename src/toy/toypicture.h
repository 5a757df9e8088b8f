// toy/toypicture.h
// A shape that shows a still picture, in one of two modes. Sprite mode: a whole bitmap that the
// picture registers on the drawing device under its own name (the scene's background, title
// and banners). Image mode: one cell of an image of the box, found by name. The hit rectangle
// runs from the position to the size of what is shown. A picture whose bitmap or image cannot
// be found draws nothing and says nothing.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "toy/toyshape.h"

namespace kipkip {

class TToyPicture : public TToyShape {
public:
    // From the current block of `db`: the shape keys, "imageId", "fileName" and "num". A
    // block with a file name is in sprite mode and its "imageId" is ignored.
    TToyPicture(TToyBox* box, TTexDb& db);
    // Deletes the picture's own sprite, when it has one.
    ~TToyPicture() override;

    void Draw(int originX, int originY) override;
    // Registers the picture's sprite again (sprite mode) or looks the image up again (image
    // mode), and takes the size of what is shown as the hit rectangle.
    void Prepare() override;
    void SaveKeys(std::vector<std::string>& lines) override;
    // In sprite mode the bitmap is registered again under the new name.
    bool Rename(std::string newName) override;
    // Switches to image mode, showing `cell` of the named image; false (and nothing shown)
    // when the box has no image of that name.
    bool SetImage(std::string_view imageName, int cell) override;

    // Switches to sprite mode with that bitmap; when it cannot be registered nothing changes.
    bool UseFile(std::string_view fileName);

    // Sprite mode is a non-empty fileName; ownsSprite says whether its sprite was registered.
    bool IsSpriteMode() const { return !fileName.empty(); }

    std::string fileName;
    bool ownsSprite = false;
    int cell = 0;

private:
    // The hit rectangle from (0, 0) to the size of what is shown.
    void TakeSize(int width, int height);
    void TakeImageSize();
};

}  // namespace kipkip
