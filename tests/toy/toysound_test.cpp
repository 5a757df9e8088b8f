#include "toy/toysound.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "device/kivsound.h"
#include "device/soundmixer.h"
#include "game/gamenames.h"
#include "kernel/kernel.h"
#include "platform/fatalcapture.h"
#include "platform/resources.h"
#include "texdb/texdb.h"
#include "toy/toybox.h"
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

// Without a sound-effect device, making a sound registers nothing and playing it does nothing,
// and neither fails loudly.
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

// The built-in scene registers its three sounds on the kernel's device in block order, and the
// box's play requests start the named sound there; the log notes each request either way.
TEST(ToySound, TheBuiltInScenesSoundsReachTheDevice)
{
    SoundMixer mixer;
    TKivSound sound(mixer);
    ASSERT_TRUE(sound.Init());
    TKernel kernel{nullptr, nullptr, nullptr, &sound};
    FatalCapture fatal;  // without a drawing device the scene's images cannot be made
    TToyBox box(&kernel, nullptr, "toybox");
    ASSERT_EQ(sound.SoundCount(), 3);
    const std::string_view names[] = {gamenames::kSoundTake, gamenames::kSoundJump,
                                      gamenames::kSoundFall};
    for (int slot = 0; slot < 3; ++slot) {
        SCOPED_TRACE(slot);
        EXPECT_FALSE(sound.IsPlaying(slot));
        EXPECT_TRUE(box.PlaySound(names[slot]));
        for (int other = 0; other < 3; ++other) {
            EXPECT_EQ(sound.IsPlaying(other), other <= slot) << other;
        }
    }
    EXPECT_FALSE(box.PlaySound("nothing by this name"));
    EXPECT_EQ(box.soundLog,
              (std::vector<std::string>{std::string(names[0]), std::string(names[1]),
                                        std::string(names[2]), "nothing by this name"}));
    // The copies started are heard when the mixer is pulled.
    std::vector<std::int16_t> out(2 * 882);
    mixer.Mix(out);
    EXPECT_NE(std::count(out.begin(), out.end(), 0), static_cast<std::ptrdiff_t>(out.size()));
}

// A muted run has a device that was never initialised: the box still asks it, it refuses, and
// the log is the same as with sound.
TEST(ToySound, AnUninitialisedDeviceRefusesTheSceneButTheLogStillNotesThePlays)
{
    SoundMixer mixer;
    TKivSound sound(mixer);
    TKernel kernel{nullptr, nullptr, nullptr, &sound};
    FatalCapture fatal;
    TToyBox box(&kernel, nullptr, "toybox");
    EXPECT_EQ(sound.SoundCount(), 0);
    EXPECT_EQ(mixer.SoundCount(), 0);
    EXPECT_FALSE(box.CreateSoundBuffer(gamenames::kSoundJump, "fly"));
    EXPECT_FALSE(box.PlaySound(gamenames::kSoundJump));
    EXPECT_EQ(box.soundLog, std::vector<std::string>{std::string(gamenames::kSoundJump)});
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
    const Case cases[] = {{gamenames::kSoundTake, "star"},
                          {gamenames::kSoundJump, "fly"},
                          {gamenames::kSoundFall, "down"}};
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
