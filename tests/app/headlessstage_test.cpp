// A headless run's sound: kept in the WAVE file when one is named, else only its music moves on.
#include "app/headlessstage.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "app/exitstatus.h"
#include "app/loopfanout.h"
#include "device/audiopath.h"
#include "device/soundmixer.h"
#include "support/tempdir.h"

namespace kipkip {
namespace {

struct HeadlessStageTest : testing::Test {
    test::TempDir dir;
    SoundMixer mixer;
    AudioPath path{mixer};
    LoopFanOut fanOut;
    Options options;

    // Runs `ticks` ticks' listeners of the stage; its status at the end.
    int Run(HeadlessStage& stage, int ticks)
    {
        stage.AddListeners(fanOut);
        for (int tick = 1; tick <= ticks; ++tick) {
            fanOut.BeforeTick(tick);
            fanOut.AfterTick(tick);
        }
        return stage.Finish();
    }
};

TEST_F(HeadlessStageTest, KeepsTheSoundOfEveryTickInTheFileItNames)
{
    const auto wave = dir.Path() / "run.wav";
    options.audioOutFile = wave.string();
    HeadlessStage stage(options);
    EXPECT_TRUE(stage.OpenAudio(path)) << "the sound is kept";
    EXPECT_EQ(Run(stage, 3), exitstatus::kDone);
    EXPECT_EQ(std::filesystem::file_size(wave), 44u + 3 * 882 * 4);
}

TEST_F(HeadlessStageTest, WithoutAFileTheMusicStillMovesOn)
{
    HeadlessStage stage(options);
    EXPECT_FALSE(stage.OpenAudio(path)) << "nobody hears it";
    EXPECT_EQ(Run(stage, 3), exitstatus::kDone);
    EXPECT_EQ(path.PassClockMs(), 60u);
}

TEST_F(HeadlessStageTest, ASoundFileThatCannotBeWrittenEndsWithItsStatus)
{
    options.audioOutFile = (dir.Path() / "missing" / "run.wav").string();
    HeadlessStage stage(options);
    stage.OpenAudio(path);
    EXPECT_EQ(Run(stage, 2), exitstatus::kUnwritableOutput);
}

}  // namespace
}  // namespace kipkip
