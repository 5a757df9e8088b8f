// After each tick the music moves on by two passes, heard (kept in the run's sound) or not.
#include "app/unheardmusic.h"

#include <gtest/gtest.h>

#include "app/audiocapture.h"
#include "device/audiopath.h"
#include "device/soundmixer.h"

namespace kipkip {
namespace {

TEST(UnheardMusic, RunsTwoPassesAfterEachTickAndRendersNothing)
{
    SoundMixer mixer;
    AudioPath path(mixer);
    int passes = 0;
    int rendered = 0;
    path.SetSequencer([&passes] { ++passes; });
    path.SetSynth([&rendered](std::span<std::int16_t>) { ++rendered; });
    UnheardMusic music(path);
    for (std::uint64_t tick = 1; tick <= 3; ++tick) {
        EXPECT_TRUE(music.AfterTick(tick));
        EXPECT_EQ(passes, static_cast<int>(2 * tick));
    }
    EXPECT_EQ(rendered, 0);
    EXPECT_EQ(path.PassClockMs(), 60u);
}

// The sound kept for --audio-out moves the music exactly as far as the unheard passes do.
TEST(AudioCapture, KeepsOneTicksSoundAfterEachTickWithTheSamePasses)
{
    SoundMixer mixer;
    AudioPath path(mixer);
    int passes = 0;
    path.SetSequencer([&passes] { ++passes; });
    AudioCapture capture(path);
    for (std::uint64_t tick = 1; tick <= 3; ++tick) {
        EXPECT_TRUE(capture.AfterTick(tick));
        EXPECT_EQ(capture.Samples().size(), tick * AudioCapture::kFramesPerTick * 2);
        EXPECT_EQ(passes, static_cast<int>(2 * tick));
    }
}

}  // namespace
}  // namespace kipkip
