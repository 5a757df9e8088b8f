#include "toy/toysound.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "kernel/kernel.h"
#include "platform/fatalcapture.h"
#include "platform/resources.h"
#include "texdb/texdb.h"
#include "toy/toybox.h"
#include "toy/toynames.h"
#include "toy/toyprobe.h"

namespace kipkip {
namespace {

using test::Scene;

TToySound* FindSound(TToyBox& box, std::string_view name)
{
    return dynamic_cast<TToySound*>(box.FindObject("Sound", name));
}

TEST(ToySound, ReadsItsNameAndFileNameOnlyAndIsAResource)
{
    TToyBox box(nullptr, nullptr, "");
    TTexDb db = Scene(
        "{\nclass Sound\nname jump\nlayer front\nshow 1\nfileName fly\n}\n"
        "{\nclass Sound\nname quiet\n}\n");
    box.LoadBlocks(db);
    struct Case {
        const char* name;
        const char* fileName;
    };
    const Case cases[] = {{"jump", "fly"}, {"quiet", ""}};
    for (const Case& c : cases) {
        TToySound* sound = FindSound(box, c.name);
        ASSERT_NE(sound, nullptr) << c.name;
        EXPECT_EQ(sound->fileName, c.fileName) << c.name;
        EXPECT_EQ(sound->className, "Sound") << c.name;
        EXPECT_EQ(sound->category, "Resource") << c.name;
        EXPECT_EQ(sound->layer, "") << c.name;
        EXPECT_FALSE(sound->visible) << c.name;
    }
}

TEST(ToySound, WritesItsFileNameEvenWhenEmpty)
{
    TToyBox box(nullptr, nullptr, "");
    TTexDb db = Scene(
        "{\nclass Sound\nname take\nfileName star\n}\n"
        "{\nclass Sound\nname quiet\n}\n");
    box.LoadBlocks(db);
    std::vector<std::string> lines;
    box.objects.SaveAll(lines);
    EXPECT_EQ(lines, (std::vector<std::string>{"", "{", "\tclass\t\tSound", "\tname\t\ttake",
                                               "\tfileName\tstar", "}", "", "{", "\tclass\t\tSound",
                                               "\tname\t\tquiet", "\tfileName\t", "}"}));
}

// No sound-effect device exists yet: without one, making a sound registers nothing and
// playing it does nothing, and neither fails loudly.
TEST(ToySound, WithoutASoundDeviceSoundsAreMadeAndPlayNothing)
{
    TKernel noSound{nullptr, nullptr, nullptr, nullptr};
    for (TKernel* kernel : {static_cast<TKernel*>(nullptr), &noSound}) {
        TToyBox box(kernel, nullptr, "");
        TTexDb db = Scene(
            "{\nclass Sound\nname twin\nfileName star\n}\n"
            "{\nclass Sound\nname twin\nfileName fly\n}\n");
        box.LoadBlocks(db);
        std::vector<TToyObject*> sounds;
        EXPECT_EQ(box.SelectObjects(sounds, "Sound", "twin", ""), 2);
        EXPECT_FALSE(box.CreateSoundBuffer("twin", "star"));
        EXPECT_FALSE(box.PlaySound("twin"));
    }
}

TEST(ToySound, TheBuiltInScenesSoundsNameBuiltInWaves)
{
    FatalCapture fatal;  // without a drawing device the scene's images cannot be made
    TToyBox box(nullptr, nullptr, "toybox");
    ASSERT_EQ(box.baseDir, "Resource");
    struct Case {
        std::string_view name;
        const char* fileName;
    };
    const Case cases[] = {{toynames::kSoundTake, "star"},
                          {toynames::kSoundJump, "fly"},
                          {toynames::kSoundFall, "down"}};
    for (const Case& c : cases) {
        TToySound* sound = FindSound(box, c.name);
        ASSERT_NE(sound, nullptr) << c.fileName;
        EXPECT_EQ(sound->fileName, c.fileName);
        // From a built-in scene the device is given the bare word, which names a wave of the
        // program.
        std::string path = box.FilePath(sound->fileName, ".wav");
        EXPECT_EQ(path, c.fileName);
        EXPECT_TRUE(FindResource("WAVE", path).has_value()) << path;
    }
}

}  // namespace
}  // namespace kipkip
