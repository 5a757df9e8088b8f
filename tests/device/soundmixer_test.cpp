#include "device/soundmixer.h"

#include <gtest/gtest.h>

#include <vector>

namespace kipkip {
namespace {

// A stereo sound whose frame i is (left[i], right[i]).
std::vector<std::int16_t> Frames(std::initializer_list<std::pair<int, int>> frames)
{
    std::vector<std::int16_t> samples;
    for (auto [left, right] : frames) {
        samples.push_back(static_cast<std::int16_t>(left));
        samples.push_back(static_cast<std::int16_t>(right));
    }
    return samples;
}

// frames stereo frames of output, filled with a pattern first so that silence is written.
std::vector<std::int16_t> MixFrames(SoundMixer& mixer, std::size_t frames)
{
    std::vector<std::int16_t> out(frames * 2, 1234);
    mixer.Mix(out);
    return out;
}

TEST(SoundMixer, IsSilentWhenNothingPlays)
{
    SoundMixer mixer;
    EXPECT_EQ(MixFrames(mixer, 4), std::vector<std::int16_t>(8, 0));
    const int copy = mixer.AddCopy(mixer.AddSound(Frames({{100, 200}})));
    EXPECT_EQ(MixFrames(mixer, 4), std::vector<std::int16_t>(8, 0));  // added, not started
    EXPECT_FALSE(mixer.State(copy).playing);
}

TEST(SoundMixer, SumsPlayingCopiesAndClipsInsteadOfWrapping)
{
    struct Case {
        int a;
        int b;
        int sum;
    };
    const Case cases[] = {
        {100, -30, 70},      {30000, 30000, 32767}, {-30000, -30000, -32768},
        {32767, -32768, -1}, {20000, 12767, 32767}, {20000, 12768, 32767},
    };
    for (const Case& c : cases) {
        SoundMixer mixer;
        const int first = mixer.AddCopy(mixer.AddSound(Frames({{c.a, c.b}})));
        const int second = mixer.AddCopy(mixer.AddSound(Frames({{c.b, c.a}})));
        mixer.Start(first);
        mixer.Start(second);
        const auto out = MixFrames(mixer, 1);
        EXPECT_EQ(out[0], c.sum) << c.a << " + " << c.b;
        EXPECT_EQ(out[1], c.sum) << c.b << " + " << c.a;
    }
}

TEST(SoundMixer, ClipsOnceAfterSummingEveryCopy)
{
    // Clipping after each add would give 32767 - 20000; the sum of all three is in range.
    SoundMixer mixer;
    const int sound = mixer.AddSound(Frames({{20000, -20000}}));
    const int loud = mixer.AddSound(Frames({{-20000, 20000}}));
    for (int copy : {mixer.AddCopy(sound), mixer.AddCopy(sound), mixer.AddCopy(loud)}) {
        mixer.Start(copy);
    }
    EXPECT_EQ(MixFrames(mixer, 1), Frames({{20000, -20000}}));
}

TEST(SoundMixer, CopiesOfOneSoundAdvanceSeparatelyAndStopAtTheirEnd)
{
    SoundMixer mixer;
    const int sound = mixer.AddSound(Frames({{1, -1}, {2, -2}, {3, -3}}));
    const int a = mixer.AddCopy(sound);
    const int b = mixer.AddCopy(sound);
    ASSERT_TRUE(mixer.Start(a));
    EXPECT_EQ(mixer.State(a).position, 0u);
    EXPECT_EQ(MixFrames(mixer, 2), Frames({{1, -1}, {2, -2}}));
    EXPECT_EQ(mixer.State(a).position, 2u);
    EXPECT_TRUE(mixer.State(a).playing);
    ASSERT_TRUE(mixer.Start(b));
    // a has one frame left and ends inside this buffer; b goes on.
    EXPECT_EQ(MixFrames(mixer, 2), Frames({{3 + 1, -3 - 1}, {2, -2}}));
    EXPECT_FALSE(mixer.State(a).playing);
    EXPECT_EQ(mixer.State(a).position, 3u);
    EXPECT_TRUE(mixer.State(b).playing);
    EXPECT_EQ(MixFrames(mixer, 3), Frames({{3, -3}, {0, 0}, {0, 0}}));
    EXPECT_FALSE(mixer.State(b).playing);
    EXPECT_EQ(MixFrames(mixer, 1), Frames({{0, 0}}));
}

TEST(SoundMixer, StartRewindsAndStopHoldsThePosition)
{
    SoundMixer mixer;
    const int copy = mixer.AddCopy(mixer.AddSound(Frames({{1, 1}, {2, 2}, {3, 3}})));
    mixer.Start(copy);
    MixFrames(mixer, 2);
    ASSERT_TRUE(mixer.Start(copy));  // still playing: starts again from the beginning
    EXPECT_EQ(mixer.State(copy).position, 0u);
    EXPECT_EQ(MixFrames(mixer, 1), Frames({{1, 1}}));
    ASSERT_TRUE(mixer.Stop(copy));
    EXPECT_FALSE(mixer.State(copy).playing);
    EXPECT_EQ(mixer.State(copy).position, 1u);
    EXPECT_EQ(MixFrames(mixer, 1), Frames({{0, 0}}));
}

TEST(SoundMixer, RefusesCopiesAndSoundsItDoesNotHave)
{
    SoundMixer mixer;
    EXPECT_EQ(mixer.AddCopy(0), -1);
    const int sound = mixer.AddSound(Frames({{1, 1}}));
    EXPECT_EQ(mixer.AddCopy(sound + 1), -1);
    EXPECT_EQ(mixer.AddCopy(-1), -1);
    const int copy = mixer.AddCopy(sound);
    for (int other : {-1, copy + 1}) {
        EXPECT_FALSE(mixer.Start(other));
        EXPECT_FALSE(mixer.Stop(other));
        EXPECT_FALSE(mixer.State(other).playing);
    }
}

TEST(SoundMixer, ClearDropsEverythingAndFallsSilent)
{
    SoundMixer mixer;
    const int copy = mixer.AddCopy(mixer.AddSound(Frames({{5, 5}, {5, 5}})));
    mixer.Start(copy);
    mixer.Clear();
    EXPECT_EQ(mixer.SoundCount(), 0);
    EXPECT_EQ(mixer.CopyCount(), 0);
    EXPECT_FALSE(mixer.State(copy).playing);
    EXPECT_EQ(MixFrames(mixer, 2), Frames({{0, 0}, {0, 0}}));
    // Numbers start again from 0.
    EXPECT_EQ(mixer.AddSound(Frames({{1, 1}})), 0);
    EXPECT_EQ(mixer.AddCopy(0), 0);
}

// The music is already in the buffer: the effects go on top of it, and the sum is clipped once
// (a clip of each part alone would let music and effect each stay in range and wrap no less).
TEST(SoundMixer, MixAddAddsOntoTheMusicAndClipsTheSumOnce)
{
    SoundMixer mixer;
    const int copy = mixer.AddCopy(mixer.AddSound(Frames({{20000, -20000}, {-3, 3}})));
    mixer.Start(copy);
    std::vector<std::int16_t> music = Frames({{20000, -20000}, {100, 200}, {7, -7}});
    mixer.MixAdd(music);
    EXPECT_EQ(music, Frames({{32767, -32768}, {97, 203}, {7, -7}}));
    EXPECT_FALSE(mixer.State(copy).playing);
    // With nothing playing the music passes unchanged.
    mixer.MixAdd(music);
    EXPECT_EQ(music, Frames({{32767, -32768}, {97, 203}, {7, -7}}));
}

TEST(SoundMixer, AnOddSampleCountMixesWholeFramesOnly)
{
    SoundMixer mixer;
    const int copy = mixer.AddCopy(mixer.AddSound({7, 8, 9}));  // the lone 9 is no frame
    mixer.Start(copy);
    std::vector<std::int16_t> out(5, 1234);
    mixer.Mix(out);
    EXPECT_EQ(out, (std::vector<std::int16_t>{7, 8, 0, 0, 0}));
    EXPECT_FALSE(mixer.State(copy).playing);
}

}  // namespace
}  // namespace kipkip
