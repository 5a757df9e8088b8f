// toy/toyanimefile.h
// One animation file: the images, frames and animations it defines, read into a list of the
// file's own, so that names such as "frame0" may repeat from file to file. The scene names
// the game's four files; animators play the animations and platforms show the frames. The
// text is the built-in resource of type ANIME of that name first, else the file.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "toy/toyobjlist.h"
#include "toy/toyshape.h"

namespace kipkip {

class TToyAnime;
class TToyFrame;

class TToyAnimeFile : public TToyShape {
public:
    // From the current block of `db`: the shape keys and "fileName", which is loaded at once
    // when it is not empty. A text that exists neither as resource nor as file is a fatal
    // error (the text database's), and so is an image of the file that cannot be loaded.
    TToyAnimeFile(TToyBox* box, TTexDb& db);
    // The file's objects go with it.
    ~TToyAnimeFile() override;

    void SaveKeys(std::vector<std::string>& lines) override;
    // Reads the images, frames and animations of the file into `objects`, after those already
    // there. Blocks of other classes are skipped.
    virtual void LoadFile(std::string_view fileName);
    // Writes the blocks of `objects` to exactly that path, lines ending in CR LF, replacing
    // any file of that name; false when it cannot be written.
    virtual bool SaveFile(std::string_view path);

    TToyFrame* FindFrame(std::string_view frameName) const;
    TToyAnime* FindAnime(std::string_view animeName) const;

    std::string fileName;
    TToyObjList objects;  // owned, in file order
};

}  // namespace kipkip
