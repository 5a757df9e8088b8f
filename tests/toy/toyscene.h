// tests/toy/toyscene.h
// A box whose kernel has the drawing world's device (support/drawingworld.h): test text
// bitmaps written in its folder are read from files, and the program's built-in bitmaps are
// pictures of their real sizes. Names are written in UTF-8 and turned into Shift-JIS.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <string_view>

#include "kernel/kernel.h"
#include "platform/sjis.h"
#include "support/drawingworld.h"
#include "texdb/texdb.h"
#include "toy/toybox.h"
#include "toy/toynames.h"

namespace kipkip::test {

inline std::string Sjis(std::string_view utf8)
{
    return Utf8ToSjis(utf8);
}

// A scene text written in UTF-8, as the text database reads Shift-JIS.
inline TTexDb SjisScene(std::string_view utf8)
{
    return TTexDb::FromText("scene", Utf8ToSjis(utf8));
}

struct SceneFixture : testing::Test, DrawingWorld<> {
    TKernel kernel{&draw, nullptr, nullptr, nullptr};
    TToyBox box{&kernel, nullptr, ""};

    SceneFixture() { draw.Clear(); }

    // Makes the objects of a scene text (UTF-8) with the box's current base directory.
    void Load(std::string_view utf8)
    {
        TTexDb db = SjisScene(utf8);
        box.LoadBlocks(db);
    }
    // Loads the scene's blocks as a built-in scene would: bitmap and animation words name the
    // program's resources.
    void LoadBuiltIn(std::string_view utf8)
    {
        box.baseDir = toynames::kResourceDir;
        Load(utf8);
    }
    template <typename T>
    T* Find(std::string_view className, std::string_view utf8Name)
    {
        return dynamic_cast<T*>(box.FindObject(className, Sjis(utf8Name)));
    }
};

}  // namespace kipkip::test
