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
struct NumberedMusic {
    SoundMixer mixer;
    AudioPath path{mixer};
    std::size_t rendered = 0;  // frames the synthesiser has rendered
    std::vector<std::size_t> passFrames;
    std::vector<std::uint64_t> passClocks;

    NumberedMusic()
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
    NumberedMusic(const NumberedMusic&) = delete;
    NumberedMusic& operator=(const NumberedMusic&) = delete;

    std::vector<std::int16_t> Pull(std::size_t samples)
    {
        std::vector<std::int16_t> out(samples);
        path.Fill(out);
        return out;
    }
};

struct AudioPathFixture : testing::Test, NumberedMusic {};

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

// The menu holds the game mid-pass and mid-effect: after the release the output is what it
// would have been had the game never been held, sample for sample.
TEST(AudioPathHold, TheGameGoesOnFromWhereItStoodOnRelease)
{
    NumberedMusic never;
    NumberedMusic held;
    for (NumberedMusic* music : {&never, &held}) {
        const int copy =
            music->mixer.AddCopy(music->mixer.AddSound(std::vector<std::int16_t>(2000 * 2, 100)));
        music->mixer.Start(copy);
        music->Pull(700 * 2);
    }
    held.path.HoldGame(true);
    const std::uint64_t clock = held.path.PassClockMs();
    const std::size_t passes = held.passFrames.size();
    for (int pull = 0; pull < 3; ++pull) {
        EXPECT_EQ(held.Pull(512 * 2), std::vector<std::int16_t>(512 * 2, 0)) << "pull " << pull;
    }
    held.path.Advance(882);  // a headless tick without a capture
    EXPECT_EQ(held.passFrames.size(), passes) << "no pass while held";
    EXPECT_EQ(held.path.PassClockMs(), clock) << "the pass clock stands still";
    EXPECT_EQ(held.rendered, 700u) << "the synthesiser is asked for nothing";
    EXPECT_EQ(held.mixer.State(0).position, 700u) << "the effect keeps its place";

    held.path.HoldGame(false);
    for (int pull = 0; pull < 3; ++pull) {
        EXPECT_EQ(held.Pull(512 * 2), never.Pull(512 * 2)) << "pull " << pull;
    }
    held.path.Advance(882);
    never.path.Advance(882);
    EXPECT_EQ(held.passFrames, never.passFrames);
    EXPECT_EQ(held.passClocks, never.passClocks);
}

// The menu's sounds are heard at the effects volume over the held game's silence, and over the
// game's sound once it goes on; only the overlay's copy moves while the game is held.
TEST(AudioPathHold, TheOverlayIsMixedAtTheEffectsVolumeHeldOrNot)
{
    SoundMixer effects;
    SoundMixer overlay;
    AudioPath path(effects);
    path.SetOverlay(overlay);
    path.SetSynth([](std::span<std::int16_t> out) { std::fill(out.begin(), out.end(), 4000); });
    const int effect = effects.AddCopy(effects.AddSound(std::vector<std::int16_t>(100 * 2, 2000)));
    const int tick = overlay.AddCopy(overlay.AddSound(std::vector<std::int16_t>(100 * 2, 1000)));
    effects.Start(effect);
    overlay.Start(tick);
    const struct {
        bool held;
        int effectsVolume;
        std::int16_t sample;
    } cases[] = {
        {false, 100, 7000}, {true, 100, 1000}, {true, 50, 250}, {false, 50, 4750}, {true, 0, 0},
    };
    for (const auto& c : cases) {
        path.HoldGame(c.held);
        path.SetEffectsVolume(c.effectsVolume);
        const std::size_t effectAt = effects.State(effect).position;
        const std::size_t tickAt = overlay.State(tick).position;
        std::vector<std::int16_t> out(2 * 2);
        path.Fill(out);
        EXPECT_EQ(out, std::vector<std::int16_t>(4, c.sample)) << c.held << " " << c.effectsVolume;
        EXPECT_EQ(overlay.State(tick).position, tickAt + 2) << c.held << " " << c.effectsVolume;
        EXPECT_EQ(effects.State(effect).position, effectAt + (c.held ? 0 : 2))
            << c.held << " " << c.effectsVolume;
    }
}

// An overlay with nothing playing leaves the game's sound as it was, loud music clipped the
// same and an odd last sample still silent.
TEST(AudioPathHold, ASilentOverlayChangesNothing)
{
    NumberedMusic plain;
    NumberedMusic overlaid;
    SoundMixer overlay;
    overlay.AddCopy(overlay.AddSound({7, 7}));  // never started
    overlaid.path.SetOverlay(overlay);
    for (NumberedMusic* music : {&plain, &overlaid}) {
        const int copy =
            music->mixer.AddCopy(music->mixer.AddSound(std::vector<std::int16_t>(900 * 2, 32000)));
        music->mixer.Start(copy);
    }
    for (std::size_t samples : {1024u, 883u, 1024u}) {
        EXPECT_EQ(overlaid.Pull(samples), plain.Pull(samples)) << samples << " samples";
    }
}

}  // namespace
}  // namespace kipkip
