// The built-in scene as a whole: saved as a scene file and read back, it is the same scene.
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <string>
#include <vector>

#include "platform/files.h"
#include "platform/resourcetable.h"
#include "toyscene.h"

namespace kipkip {
namespace {

// Every built-in bitmap and animation file written out as the files a scene file names.
void WriteResourcesAsFiles(const test::TempDir& dir)
{
    for (const EmbeddedResource& resource : EmbeddedResources()) {
        std::string type = resource.type;
        std::string extension = type == "BITMAP" ? ".bmp" : type == "ANIME" ? ".anm" : "";
        if (extension.empty()) {
            continue;
        }
        std::string name = resource.name;
        std::transform(name.begin(), name.end(), name.begin(),
                       [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
        dir.Write(name + extension,
                  std::string_view(reinterpret_cast<const char*>(resource.begin),
                                   static_cast<std::size_t>(resource.end - resource.begin)));
    }
}

std::vector<std::string> Saved(TToyObject& object)
{
    std::vector<std::string> lines;
    object.SaveObject(lines);
    return lines;
}

using BuiltInSceneFixture = test::SceneFixture;

TEST_F(BuiltInSceneFixture, SavedAndLoadedAgainItIsTheSameScene)
{
    TToyBox original(&kernel, nullptr, "toybox");
    ASSERT_EQ(original.baseDir, toynames::kResourceDir);
    ASSERT_TRUE(original.SaveToFile("scene.toy"));
    WriteResourcesAsFiles(dir);

    TToyBox copy(&kernel, nullptr, "scene.toy");
    EXPECT_TRUE(fatal.Messages().empty()) << fatal.Messages().front();
    EXPECT_EQ(copy.baseDir, "");

    ASSERT_EQ(copy.layers.size(), original.layers.size());
    for (std::size_t i = 0; i < original.layers.size(); ++i) {
        const LayerRecord& a = *original.layers[i];
        const LayerRecord& b = *copy.layers[i];
        EXPECT_EQ(b.name, a.name) << "layer " << i;
        EXPECT_EQ(b.show, a.show) << "layer " << i;
        EXPECT_EQ(b.x, a.x) << "layer " << i;
        EXPECT_EQ(b.y, a.y) << "layer " << i;
    }
    ASSERT_EQ(copy.objects.Count(), original.objects.Count());
    for (int i = 0; i < original.objects.Count(); ++i) {
        TToyObject& a = *original.objects.Get(i);
        TToyObject& b = *copy.objects.Get(i);
        std::string where = "object " + std::to_string(i) + " " + SjisToUtf8(a.name);
        EXPECT_EQ(b.className, a.className) << where;
        EXPECT_EQ(b.name, a.name) << where;
        EXPECT_EQ(b.layer, a.layer) << where;
        EXPECT_EQ(b.visible, a.visible) << where;
        // Every key the object writes: positions, flicker, files, images, values.
        EXPECT_EQ(Saved(b), Saved(a)) << where;
    }
}

}  // namespace
}  // namespace kipkip
