// toy/toyimage.h
// A named bitmap registered on the drawing device as a sprite of the image's own name and cut
// into equal cells. It is a resource of the scene, never drawn by the box's drawing pass:
// frames, number displays and pictures draw its cells by number through DrawCell. The cell
// size it was given (0 for the whole bitmap) is replaced on loading by what the device
// reports, so an image loaded with size 0,0 is written back with its bitmap's size.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "toy/toyobject.h"

namespace kipkip {

class TToyImage : public TToyObject {
public:
    // From the current block of `db`: "name", "fileName" and "size" (absent or 0: the whole
    // bitmap). An image whose sprite cannot be loaded is a fatal error; the object is still
    // complete afterwards.
    TToyImage(TToyBox* box, TTexDb& db);
    // From values, with the same loading and the same fatal error.
    TToyImage(TToyBox* box, std::string name, std::string fileName, int cellWidth, int cellHeight);
    // Deletes the sprite of the image's name.
    ~TToyImage() override;

    // Registers the sprite again; the result is ignored.
    void Prepare() override;
    void SaveKeys(std::vector<std::string>& lines) override;
    // Moves the sprite to the new name; the result is LoadSprite's.
    bool Rename(std::string newName) override;
    // Loads another bitmap, cut as a whole (cell size 0,0).
    virtual bool SetFileName(std::string_view fileName);
    virtual bool SetCellSize(int width, int height);

    // Registers the sprite and takes the device's cell size, columns, cell count and bitmap
    // size (left as they were when the sprite does not exist). False when the name or the
    // file name is empty, or the device could not load the bitmap.
    bool LoadSprite();
    // Draws one cell with its top-left corner at screen (x, y). A cell number at or beyond
    // cellCount draws nothing, and so does a negative one.
    void DrawCell(int x, int y, int cell);

    std::string fileName;
    std::int32_t cellWidth = 0;
    std::int32_t cellHeight = 0;
    std::int32_t columns = 0;
    std::int32_t cellCount = 0;
    std::int32_t bitmapWidth = 0;
    std::int32_t bitmapHeight = 0;
};

}  // namespace kipkip
