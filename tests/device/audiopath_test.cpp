#include "device/audiopath.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "device/soundmixer.h"

namespace kipkip {
namespace {

// A path whose sequencer notes the frame at which each pass ran and the clock it read, and whose
// synthesiser writes each frame's own number (left) and the passes so far (right), so the
// output shows which frames came after which pass.
struct AudioPathFixture : testing::Test {
    SoundMixer mixer;
    AudioPath path{mixer};
    std::size_t rendered = 0;  // frames the synthesiser has rendered
    std::vector<std::size_t> passFrames;
    std::vector<std::uint64_t> passClocks;

    void SetUp() override
    {
        path.SetSequencer([this] {
            passFrames.push_back(rendered);
            passClocks.push_back(path.PassClockMs());
        });
        path.SetSynth([this](std::span<std::int16_t> out) {
            for (std::size_t i = 0; i + 1 < out.size(); i += 2) {
                out[i] = static_cast<std::int16_t>(rendered++ % 30000);
                out[i + 1] = static_cast<std::int16_t>(passFrames.size());
            }
        });
    }
};

// SDL asks for 512 frames at a time; the passes still fall every 441 frames, the first one
// before the first frame, and each reads the clock of its own 10 ms.
TEST_F(AudioPathFixture, PassesRunEvery441FramesWhateverTheBufferSize)
{
    std::vector<std::int16_t> out(512 * 2);
    for (int pull = 0; pull < 4; ++pull) {
        path.Fill(out);
    }
    EXPECT_EQ(passFrames, (std::vector<std::size_t>{0, 441, 882, 1323, 1764}));
    EXPECT_EQ(passClocks, (std::vector<std::uint64_t>{0, 10, 20, 30, 40}));
    EXPECT_EQ(rendered, 2048u);
    EXPECT_EQ(path.PassClockMs(), 50u) << "the next pass's time";
    // The last pull's frames: 1536..2047, the pass of frame 1764 between them.
    EXPECT_EQ(out[0], 1536);
    EXPECT_EQ(out[1], 4);
    EXPECT_EQ(out[(1764 - 1536) * 2 - 1], 4);
    EXPECT_EQ(out[(1764 - 1536) * 2 + 1], 5);
}

TEST_F(AudioPathFixture, TheEffectsAreAddedOntoTheMusic)
{
    const int copy = mixer.AddCopy(mixer.AddSound({1000, -1000, 1000, -1000}));
    mixer.Start(copy);
    std::vector<std::int16_t> out(3 * 2);
    path.Fill(out);
    EXPECT_EQ(out, (std::vector<std::int16_t>{1000, -999, 1001, -999, 2, 1}));
}

// A headless run without --audio-out: the passes run on time, nothing is rendered and the sound
// effects stay where they were.
TEST_F(AudioPathFixture, AdvanceRunsThePassesOnly)
{
    const int copy = mixer.AddCopy(mixer.AddSound({1, 1, 1, 1}));
    mixer.Start(copy);
    path.Advance(882);
    path.Advance(882);
    EXPECT_EQ(passFrames.size(), 4u);
    EXPECT_EQ(passClocks, (std::vector<std::uint64_t>{0, 10, 20, 30}));
    EXPECT_EQ(rendered, 0u);
    EXPECT_EQ(mixer.State(copy).position, 0u);
    // Rendering goes on from the same boundaries.
    std::vector<std::int16_t> out(441 * 2);
    path.Fill(out);
    EXPECT_EQ(passFrames.size(), 5u);
}

// Volume 50 is a quarter of the amplitude; the music switched off goes on playing unheard.
TEST_F(AudioPathFixture, VolumesScaleTheMusicAndTheEffectsApart)
{
    int renders = 0;
    path.SetSynth([&renders](std::span<std::int16_t> out) {
        std::fill(out.begin(), out.end(), 4000);
        ++renders;
    });
    const int copy = mixer.AddCopy(mixer.AddSound(std::vector<std::int16_t>(8, 2000)));
    struct Case {
        int music;
        int effects;
        bool musicOn;
        std::int16_t sample;
    };
    const Case cases[] = {
        {100, 100, true, 6000}, {50, 100, true, 3000},   {100, 50, true, 4500},
        {0, 0, true, 0},        {100, 100, false, 2000}, {150, -5, true, 4000},
    };
    for (const Case& c : cases) {
        path.SetMusicVolume(c.music);
        path.SetEffectsVolume(c.effects);
        path.SetMusicOn(c.musicOn);
        mixer.Start(copy);
        std::vector<std::int16_t> out(2 * 2);
        const int rendersBefore = renders;
        path.Fill(out);
        EXPECT_EQ(out, std::vector<std::int16_t>(4, c.sample))
            << c.music << " " << c.effects << " " << c.musicOn;
        EXPECT_EQ(renders, rendersBefore + 1) << "the synthesiser always runs";
    }
}

TEST(AudioPath, WithoutMusicItIsTheEffectsAlone)
{
    SoundMixer mixer;
    AudioPath path(mixer);
    const int copy = mixer.AddCopy(mixer.AddSound({5, 6}));
    mixer.Start(copy);
    std::vector<std::int16_t> out(4, 1234);
    path.Fill(out);
    EXPECT_EQ(out, (std::vector<std::int16_t>{5, 6, 0, 0}));
}

}  // namespace
}  // namespace kipkip
