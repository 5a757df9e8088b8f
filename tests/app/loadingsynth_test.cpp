// The synthesiser loading beside the game: the music waits, nothing waits for it.
#include "app/loadingsynth.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <future>
#include <mutex>
#include <vector>

#include "device/audiopath.h"
#include "device/kivmidi.h"
#include "device/soundmixer.h"
#include "support/smfbytes.h"

namespace kipkip {
namespace {

// A synthesiser whose load takes as long as the test says, and that hears every message.
class SlowSynth : public MidiOut {
public:
    bool Open() override
    {
        release.get_future().wait();
        return loads;
    }
    void Close() override {}
    void Short(std::uint32_t message) override
    {
        std::lock_guard lock(mutex);
        heard.push_back(message);
    }
    bool Long(std::span<const std::uint8_t>) override { return false; }
    void Reset() override {}
    void Prepare(std::span<const MidiPreset> presets) override
    {
        if (slowPrepare) {
            entered.set_value();
            preparing.get_future().wait();
        }
        std::lock_guard lock(mutex);
        prepared.emplace_back(presets.begin(), presets.end());
    }
    std::vector<std::uint32_t> Heard()
    {
        std::lock_guard lock(mutex);
        return heard;
    }

    std::promise<void> release;
    bool loads = true;
    std::promise<void> entered;
    std::promise<void> preparing;
    bool slowPrepare = false;
    std::vector<std::vector<MidiPreset>> prepared;
    std::mutex mutex;
    std::vector<std::uint32_t> heard;
};

struct LoadingSynthTest : testing::Test {
    SoundMixer mixer;
    AudioPath path{mixer};
    SlowSynth synth;
    int passes = 0;
    std::vector<std::int16_t> out = std::vector<std::int16_t>(AudioPath::kPassFrames * 2 * 3);

    AudioPath::Synth Render()
    {
        return [](std::span<std::int16_t> piece) { std::fill(piece.begin(), piece.end(), 1000); };
    }
    void CountPasses()
    {
        path.SetSequencer([this] { ++passes; });
    }
};

TEST_F(LoadingSynthTest, TheMusicWaitsForTheLoadAndNothingElseDoes)
{
    CountPasses();
    LoadingSynth loading(synth, Render(), path);
    EXPECT_TRUE(loading.Open()) << "the sequencer opens while the SoundFont loads";
    const std::uint8_t sysex[] = {0xF0, 0x7E, 0x7F, 0x09, 0x01, 0xF7};
    EXPECT_TRUE(loading.Long(sysex)) << "dropped, not retried";
    path.Fill(out);
    EXPECT_EQ(passes, 0);
    EXPECT_EQ(out.front(), 0) << "silence until the synthesiser has joined";

    synth.release.set_value();
    loading.LoadNow();
    EXPECT_FALSE(loading.Failed());
    path.Fill(out);
    EXPECT_EQ(passes, 3);
    EXPECT_EQ(out.front(), 1000);
}

TEST_F(LoadingSynthTest, AFailedLoadIsKnownAndTheMusicMovesOnUnheard)
{
    CountPasses();
    synth.loads = false;
    LoadingSynth loading(synth, Render(), path);
    synth.release.set_value();
    loading.LoadNow();
    EXPECT_TRUE(loading.Failed());
    EXPECT_FALSE(loading.Open());
    path.Fill(out);
    EXPECT_EQ(passes, 3);
    EXPECT_EQ(out.front(), 0);
}

// The player starts a game, and its song, before the SoundFont is there: the song starts when
// the synthesiser does, from its beginning, its program change first.
TEST_F(LoadingSynthTest, ASongStartedDuringTheLoadStartsFromItsBeginningOnceLoaded)
{
    LoadingSynth loading(synth, Render(), path);
    TKivMidi midi(loading);
    test::TrackBytes track;
    track.Event(0, {0xC0, 5}).Event(0, {0x90, 60, 64}).Event(480, {0x80, 60, 0}).EndOfTrack(0);
    const test::Bytes song = test::SmfFile(0, 480, {track});
    ASSERT_TRUE(midi.Init([&song](std::string_view, std::string_view)
                              -> std::optional<std::span<const std::uint8_t>> { return song; },
                          false));
    path.SetSequencer([&midi] { midi.SmfPlay(); });
    ASSERT_TRUE(midi.Play("BGM", true));
    for (int i = 0; i < 20; ++i) {
        path.Fill(out);
    }
    EXPECT_TRUE(synth.Heard().empty());

    synth.release.set_value();
    loading.LoadNow();
    path.Fill(out);
    const std::vector<std::uint32_t> start = {0x05C0, 0x403C90};
    EXPECT_EQ(synth.Heard(), start);
    path.SetSequencer(nullptr);
}

// A song's presets given while the SoundFont loads are loaded with it, before the music goes.
TEST_F(LoadingSynthTest, PresetsGivenDuringTheLoadAreLoadedBeforeTheSynthesiserJoins)
{
    LoadingSynth loading(synth, Render(), path);
    const MidiPreset presets[] = {{0, 48}, {MidiPreset::kDrumBank, 0}};
    loading.Prepare(presets);
    EXPECT_TRUE(synth.prepared.empty());
    synth.release.set_value();
    loading.LoadNow();
    ASSERT_EQ(synth.prepared.size(), 1u);
    EXPECT_EQ(synth.prepared[0], std::vector<MidiPreset>(std::begin(presets), std::end(presets)));
}

// Once loaded, a window's game goes on while a new song's presets load: the music waits, out of
// the audio thread's way, and comes back with them.
TEST_F(LoadingSynthTest, PresetsLoadBesideTheGameWhileTheMusicWaits)
{
    synth.release.set_value();
    CountPasses();
    {
        LoadingSynth loading(synth, Render(), path);
        while (passes == 0) {  // the load ends by itself: the music goes
            path.Fill(out);
        }
        synth.slowPrepare = true;
        const MidiPreset presets[] = {{0, 80}};
        loading.Prepare(presets);  // returns while the presets still load
        synth.entered.get_future().wait();
        passes = 0;
        path.Fill(out);
        EXPECT_EQ(passes, 0);
        EXPECT_EQ(out.front(), 0) << "the synthesiser is out of the path meanwhile";
        synth.preparing.set_value();
    }
    ASSERT_EQ(synth.prepared.size(), 1u);
    path.Fill(out);
    EXPECT_EQ(passes, 3);
    EXPECT_EQ(out.front(), 1000);
}

// A run that must sound the same every time loads them before Prepare returns.
TEST_F(LoadingSynthTest, InStepThePresetsLoadBeforePrepareReturns)
{
    synth.release.set_value();
    LoadingSynth loading(synth, Render(), path);
    loading.LoadNow();
    const MidiPreset presets[] = {{0, 5}};
    loading.Prepare(presets);
    ASSERT_EQ(synth.prepared.size(), 1u);
    EXPECT_EQ(synth.prepared[0], (std::vector<MidiPreset>{{0, 5}}));
    loading.Prepare(presets);
    EXPECT_EQ(synth.prepared.size(), 1u) << "the same song's presets are loaded already";
}

// A new song's presets handed over while the load is loading an earlier song's return at once,
// and are loaded too before the music goes.
TEST_F(LoadingSynthTest, TheGameNeverWaitsForTheLoadsPresets)
{
    LoadingSynth loading(synth, Render(), path);
    const MidiPreset first[] = {{0, 48}};
    const MidiPreset second[] = {{0, 61}, {0, 9}};
    loading.Prepare(first);
    synth.slowPrepare = true;
    synth.release.set_value();
    synth.entered.get_future().wait();  // the load is loading the first song's samples
    loading.Prepare(second);            // would hang here if it waited for them
    synth.slowPrepare = false;
    synth.preparing.set_value();
    loading.LoadNow();
    ASSERT_EQ(synth.prepared.size(), 2u);
    EXPECT_EQ(synth.prepared[1], std::vector<MidiPreset>(std::begin(second), std::end(second)));
}

}  // namespace
}  // namespace kipkip
