#include "device/kivmidi.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <chrono>
#include <condition_variable>
#include <functional>
#include <map>
#include <mutex>
#include <string>

#include "device/devicenames.h"
#include "platform/resources.h"
#include "support/smfbytes.h"

namespace kipkip {
namespace {

using test::Bytes;
using test::SmfFile;
using test::TrackBytes;

// What the sequencer sent, with the number of the pass that sent it (0: outside any pass).
struct Sent {
    enum Kind { Short, Long, Reset } kind;
    int pass;
    std::uint32_t message = 0;
    Bytes bytes;
};

class RecordingMidiOut : public MidiOut {
public:
    bool Open() override
    {
        ++opens;
        return opensOk;
    }
    void Close() override { ++closes; }
    void Short(std::uint32_t message) override
    {
        std::lock_guard guard(mutex);
        sent.push_back({Sent::Short, pass, message, {}});
        arrived.notify_all();
    }
    bool Long(std::span<const std::uint8_t> bytes) override
    {
        std::lock_guard guard(mutex);
        ++longAttempts;
        if (notReadyAnswers > 0) {
            --notReadyAnswers;
            return false;
        }
        sent.push_back({Sent::Long, pass, 0, Bytes(bytes.begin(), bytes.end())});
        return true;
    }
    void Reset() override
    {
        std::lock_guard guard(mutex);
        sent.push_back({Sent::Reset, pass, 0, {}});
    }

    // A controller message of the release that a stop sends on every channel.
    static bool IsRelease(std::uint32_t message)
    {
        const std::uint32_t controller = message >> 8 & 0x7F;
        return (message & 0xF0) == 0xB0 &&
               (controller == 64 || controller == 121 || controller == 123);
    }
    // The song's own short messages, without the releases.
    std::vector<std::uint32_t> Shorts() const
    {
        std::vector<std::uint32_t> shorts;
        for (const Sent& s : sent) {
            if (s.kind == Sent::Short && !IsRelease(s.message)) {
                shorts.push_back(s.message);
            }
        }
        return shorts;
    }
    // How many times every channel's notes were let go.
    int Releases() const
    {
        int count = 0;
        for (const Sent& s : sent) {
            count += s.kind == Sent::Short && s.message == 0x7BBF;  // the last channel's
        }
        return count;
    }
    // The pass in which the short message was first sent, or -1.
    int PassOf(std::uint32_t message) const
    {
        for (const Sent& s : sent) {
            if (s.kind == Sent::Short && s.message == message) {
                return s.pass;
            }
        }
        return -1;
    }
    int Resets() const
    {
        int count = 0;
        for (const Sent& s : sent) {
            count += s.kind == Sent::Reset;
        }
        return count;
    }

    bool opensOk = true;
    int opens = 0;
    int closes = 0;
    int pass = 0;
    int notReadyAnswers = 0;
    int longAttempts = 0;
    std::vector<Sent> sent;
    std::mutex mutex;
    std::condition_variable arrived;
};

constexpr std::uint32_t NoteOn(std::uint8_t note, std::uint8_t channel = 0)
{
    return (0x90u | channel) | std::uint32_t{note} << 8 | 0x40u << 16;
}

// A device in timer mode whose MIDI resources are the songs the test gives it.
class MidiTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(midi.Init(
            [this](std::string_view type,
                   std::string_view name) -> std::optional<std::span<const std::uint8_t>> {
                auto found = songs.find(std::string(name));
                if (type != "MIDI" || found == songs.end()) {
                    return std::nullopt;
                }
                return std::span<const std::uint8_t>(found->second);
            },
            false));
    }

    bool PlaySong(const std::vector<TrackBytes>& tracks, bool loop, int division = 480)
    {
        songs["SONG"] = SmfFile(1, division, tracks);
        return midi.Play("SONG", loop);
    }
    void Passes(int count)
    {
        for (int i = 0; i < count; ++i) {
            ++out.pass;
            midi.SmfPlay();
        }
    }

    RecordingMidiOut out;
    std::map<std::string, Bytes> songs;
    TKivMidi midi{out};
};

TEST_F(MidiTest, TempoOneTwentyAtDivision480GivesNineTicksThenTen)
{
    // Pass 1 reaches tick 9, pass 2 tick 19, pass 3 tick 29.
    TrackBytes track;
    track.Event(9, {0x90, 1, 0x40})
        .Event(1, {0x90, 2, 0x40})
        .Event(9, {0x90, 3, 0x40})
        .Event(1, {0x90, 4, 0x40})
        .EndOfTrack(100);
    ASSERT_TRUE(PlaySong({track}, false));
    Passes(1);
    EXPECT_EQ(midi.Remainder(), 300);
    EXPECT_EQ(midi.Track(0).ticks, 0u);  // the 9 ticks went to the event at tick 9
    Passes(1);
    EXPECT_EQ(midi.Remainder(), 100);
    Passes(1);
    const struct {
        std::uint8_t note;
        int pass;
    } expected[] = {{1, 1}, {2, 2}, {3, 2}, {4, 3}};
    for (const auto& e : expected) {
        EXPECT_EQ(out.PassOf(NoteOn(e.note)), e.pass) << "note " << int(e.note);
    }
}

TEST_F(MidiTest, TempoIsRoundedDownToWholeQuarterNotesAndMilliseconds)
{
    // The game's tempo: 165 per minute, 363 ms a quarter; pass 2 yields 14 ticks, pass 3 13.
    TrackBytes track;
    track.Tempo(0, 363636).Event(23, {0x90, 1, 0x40}).Event(1, {0x90, 2, 0x40}).EndOfTrack(500);
    ASSERT_TRUE(PlaySong({track}, false));
    Passes(3);
    EXPECT_EQ(midi.Tempo(), 165);
    EXPECT_EQ(out.PassOf(NoteOn(1)), 2);
    EXPECT_EQ(out.PassOf(NoteOn(2)), 3);
}

TEST_F(MidiTest, IgnoresATempoOfZeroOrAboveSixtyThousand)
{
    const struct {
        std::uint32_t micros;
        int tempo;
    } cases[] = {{0, 120}, {999, 120}, {1000, 60000}, {500000, 120}, {0xFFFFFF, 3}};
    for (const auto& c : cases) {
        TrackBytes track;
        track.Tempo(0, c.micros).EndOfTrack(1000);
        ASSERT_TRUE(PlaySong({track}, false));
        Passes(1);
        EXPECT_EQ(midi.Tempo(), c.tempo) << c.micros;
    }
}

TEST_F(MidiTest, RunningStatusRepeatsTheLastStatusOfTheTrack)
{
    TrackBytes track;
    track.Event(0, {0x93, 60, 100}).Event(0, {62, 101}).Event(0, {0x83, 60, 0}).Event(0, {62, 0});
    track.EndOfTrack(100);
    ASSERT_TRUE(PlaySong({track}, false));
    Passes(1);
    const std::vector<std::uint32_t> expected = {0x00643C93, 0x00653E93, 0x00003C83, 0x00003E83};
    EXPECT_EQ(out.Shorts(), expected);
    EXPECT_EQ(midi.Track(0).runningStatus, 0x83);
}

TEST_F(MidiTest, ProgramChangeAndChannelPressureTakeOneDataByte)
{
    const struct {
        std::uint8_t status;
        std::size_t dataBytes;
    } cases[] = {{0x80, 2}, {0xA0, 2}, {0xB0, 2}, {0xC5, 1},
                 {0xCF, 1}, {0xD0, 1}, {0xDF, 1}, {0xE0, 2}};
    for (const auto& c : cases) {
        out.sent.clear();
        TrackBytes track;
        track.Raw({0x00, c.status, 0x07});
        if (c.dataBytes == 2) {
            track.Raw({0x09});
        }
        track.Event(0, {0x91, 60, 64}).EndOfTrack(100);
        ASSERT_TRUE(PlaySong({track}, false));
        Passes(1);
        const std::uint32_t first = c.status | 0x07u << 8 | (c.dataBytes == 2 ? 0x09u << 16 : 0u);
        const std::vector<std::uint32_t> expected = {first, 0x00403C91};
        EXPECT_EQ(out.Shorts(), expected) << std::hex << int(c.status);
    }
}

TEST_F(MidiTest, RefusesFormatTwoAndKeepsNothingLoaded)
{
    TrackBytes track;
    track.Event(0, {0x90, 60, 64}).EndOfTrack(0);
    songs["SONG"] = SmfFile(2, 480, {track});
    EXPECT_FALSE(midi.Load("SONG"));
    EXPECT_FALSE(midi.IsLoaded());
    EXPECT_FALSE(midi.Play("SONG", true));
    EXPECT_FALSE(midi.Play(true));
}

TEST_F(MidiTest, SeventyTracksLoadTheirFirstSixtyFour)
{
    std::vector<TrackBytes> tracks(70);
    for (int i = 0; i < 70; ++i) {
        tracks[static_cast<std::size_t>(i)].Event(0, {0x90, static_cast<std::uint8_t>(i), 64});
        tracks[static_cast<std::size_t>(i)].EndOfTrack(0);
    }
    Bytes file = SmfFile(1, 480, tracks);
    file.resize(file.size() - 5);  // track 69 now runs past the end: it must not be read
    songs["SONG"] = file;
    ASSERT_TRUE(midi.Play("SONG", false));
    EXPECT_EQ(midi.TrackCount(), 64);
    EXPECT_TRUE(midi.Track(63).active);
    Passes(1);
    EXPECT_EQ(out.Shorts().size(), 64u);
    EXPECT_EQ(out.PassOf(NoteOn(63)), 1);
    EXPECT_EQ(out.PassOf(NoteOn(64)), -1);
}

TEST_F(MidiTest, ARefusedTrackChunkLeavesTheSongUnloaded)
{
    TrackBytes track;
    track.EndOfTrack(0);
    songs["SONG"] = SmfFile(1, 480, {track}, 2);
    EXPECT_FALSE(midi.Load("SONG"));
    EXPECT_FALSE(midi.IsLoaded());
    EXPECT_TRUE(midi.Track(0).active);  // the track before the refused chunk stays read
}

// Track 0: note 1 at tick 0, "repeat" at 10, note 2 at 20, "end" at 30, note 3 at 40.
// Track 1: note 10 at tick 30 (after the "end" cue in the same pass), note 11 at 35.
std::vector<TrackBytes> CueSong(std::string_view repeatText = "repeat",
                                std::string_view endText = "end")
{
    TrackBytes lead;
    lead.Event(0, {0x90, 1, 64})
        .Cue(10, repeatText)
        .Event(10, {0x90, 2, 64})
        .Cue(10, endText)
        .Event(10, {0x90, 3, 64})
        .EndOfTrack(0);
    TrackBytes second;
    second.Event(30, {0x90, 10, 64}).Event(5, {0x90, 11, 64}).EndOfTrack(0);
    return {lead, second};
}

int CountOf(const std::vector<std::uint32_t>& shorts, std::uint32_t message)
{
    return static_cast<int>(std::count(shorts.begin(), shorts.end(), message));
}

TEST_F(MidiTest, EndCueWithoutLoopStopsAtOnceBeforeLaterEventsOfThePass)
{
    ASSERT_TRUE(PlaySong(CueSong(), false));
    Passes(10);
    EXPECT_FALSE(midi.IsPlay());
    EXPECT_EQ(out.Resets(), 1);    // the load's
    EXPECT_EQ(out.Releases(), 1);  // the end cue's
    const std::vector<std::uint32_t> expected = {NoteOn(1), NoteOn(2)};
    EXPECT_EQ(out.Shorts(), expected);  // neither note 3 nor track 1's note 10 at tick 30
}

TEST_F(MidiTest, EndCueWithLoopGoesBackToTheRepeatCue)
{
    ASSERT_TRUE(PlaySong(CueSong(), true));
    Passes(3);  // tick 29
    const std::uint32_t loopPosition = midi.Track(0).loopPosition;
    EXPECT_GT(loopPosition, 0u);
    Passes(1);  // tick 39: the end cue at 30 jumps back; 9 ticks left of 10 before note 2
    EXPECT_TRUE(midi.IsPlay());
    EXPECT_EQ(midi.Track(0).position, loopPosition);
    Passes(1);
    const std::vector<std::uint32_t> shorts = out.Shorts();
    EXPECT_EQ(CountOf(shorts, NoteOn(1)), 1);  // the introduction plays once
    EXPECT_EQ(CountOf(shorts, NoteOn(2)), 2);
    EXPECT_EQ(CountOf(shorts, NoteOn(3)), 0);
    EXPECT_EQ(out.PassOf(NoteOn(10)), -1);  // track 1 was sent back to its tick 10 as well
}

TEST_F(MidiTest, CueTextsMatchByTheirBeginning)
{
    // With looping, five passes reach tick 49 of CueSong: a working pair jumps back at 30 and
    // plays note 2 again; an "end" without "repeat" jumps to the top (note 1 again); without a
    // working "end" the song ends at 40 (note 3) and restarts from the top.
    const struct {
        const char* repeatText;
        const char* endText;
        int note1;
        int note2;
        int note3;
        bool stopsWithoutLoop;  // after four passes, with looping off
    } cases[] = {
        {"repeat", "end", 1, 2, 0, true},
        {"repeat1", "endless", 1, 2, 0, true},
        {"rep", "end", 2, 1, 0, true},
        {"repeat", "en", 2, 1, 1, false},
    };
    for (const auto& c : cases) {
        out.sent.clear();
        ASSERT_TRUE(PlaySong(CueSong(c.repeatText, c.endText), true));
        Passes(5);
        const std::vector<std::uint32_t> shorts = out.Shorts();
        EXPECT_EQ(CountOf(shorts, NoteOn(1)), c.note1) << c.repeatText << "/" << c.endText;
        EXPECT_EQ(CountOf(shorts, NoteOn(2)), c.note2) << c.repeatText << "/" << c.endText;
        EXPECT_EQ(CountOf(shorts, NoteOn(3)), c.note3) << c.repeatText << "/" << c.endText;
        ASSERT_TRUE(PlaySong(CueSong(c.repeatText, c.endText), false));
        Passes(4);
        EXPECT_EQ(!midi.IsPlay(), c.stopsWithoutLoop) << c.repeatText << "/" << c.endText;
    }
}

// Track 0 ends at tick 5, track 1 at tick 25.
std::vector<TrackBytes> TwoEndingTracks()
{
    TrackBytes shortTrack;
    shortTrack.Event(0, {0x90, 1, 64}).EndOfTrack(5);
    TrackBytes longTrack;
    longTrack.Event(0, {0x90, 2, 64}).EndOfTrack(25);
    return {shortTrack, longTrack};
}

TEST_F(MidiTest, EndOfAllTracksWithoutLoopStops)
{
    ASSERT_TRUE(PlaySong(TwoEndingTracks(), false));
    Passes(2);
    EXPECT_TRUE(midi.Track(0).ended);
    EXPECT_TRUE(midi.IsPlay());
    Passes(1);
    EXPECT_FALSE(midi.IsPlay());
    EXPECT_EQ(out.Releases(), 1);
    EXPECT_TRUE(RecordingMidiOut::IsRelease(out.sent.back().message));
    EXPECT_EQ(out.sent.back().pass, 3);
}

// A stop lets the notes ring out on every channel instead of cutting them dead, and leaves the
// programs alone; only loading the next song resets the output.
TEST_F(MidiTest, StopReleasesEveryChannelAndKeepsThePrograms)
{
    TrackBytes track;
    track.Event(0, {0xC3, 48}).Event(0, {0x93, 60, 64}).EndOfTrack(1000);
    ASSERT_TRUE(PlaySong({track}, true));
    Passes(1);
    out.sent.clear();
    ASSERT_TRUE(midi.Stop());
    std::vector<std::uint32_t> expected;
    for (std::uint32_t channel = 0; channel < 16; ++channel) {
        for (std::uint32_t controller : {64u, 123u, 121u}) {
            expected.push_back((0xB0 | channel) | controller << 8);
        }
    }
    std::vector<std::uint32_t> sent;
    for (const Sent& s : out.sent) {
        ASSERT_EQ(s.kind, Sent::Short) << "no reset, no system message";
        sent.push_back(s.message);
    }
    EXPECT_EQ(sent, expected);
    ASSERT_TRUE(midi.Load("SONG"));
    EXPECT_EQ(out.Resets(), 1);
}

TEST_F(MidiTest, EndOfAllTracksWithLoopRestartsFromTheTop)
{
    ASSERT_TRUE(PlaySong(TwoEndingTracks(), true));
    Passes(3);  // tick 29: both ended at 25 and restarted within pass 3
    EXPECT_TRUE(midi.IsPlay());
    const std::vector<std::uint32_t> shorts = out.Shorts();
    // Track 0 restarts in the pass, but its turn came before the restart.
    EXPECT_EQ(CountOf(shorts, NoteOn(1)), 1);
    EXPECT_EQ(CountOf(shorts, NoteOn(2)), 2);
    Passes(1);
    EXPECT_EQ(CountOf(out.Shorts(), NoteOn(1)), 2);
    EXPECT_TRUE(midi.Track(0).ended);
    EXPECT_FALSE(midi.Track(1).ended);
}

TEST_F(MidiTest, ASongThatTakesNoTimeDoesNotHangAPass)
{
    TrackBytes track;
    track.Event(0, {0x90, 1, 64}).EndOfTrack(0);
    ASSERT_TRUE(PlaySong({track}, true));
    Passes(2);
    EXPECT_EQ(CountOf(out.Shorts(), NoteOn(1)), 2 * (TKivMidi::kMaxJumpsPerPass + 1));
    out.sent.clear();
    // A loop body shorter than what is left of a pass.
    TrackBytes tight;
    tight.Cue(0, "repeat").Event(0, {0x90, 2, 64}).Cue(1, "end").EndOfTrack(0);
    ASSERT_TRUE(PlaySong({tight}, true));
    Passes(1);
    EXPECT_EQ(CountOf(out.Shorts(), NoteOn(2)), TKivMidi::kMaxJumpsPerPass + 1);
}

TEST_F(MidiTest, IsPlayByNameComparesTheExactName)
{
    ASSERT_TRUE(PlaySong(TwoEndingTracks(), true));
    EXPECT_EQ(midi.CurrentSongName(), "SONG");
    EXPECT_TRUE(midi.IsPlay("SONG"));
    EXPECT_FALSE(midi.IsPlay("song"));
    EXPECT_FALSE(midi.IsPlay("OTHER"));
    midi.Stop();
    EXPECT_FALSE(midi.IsPlay("SONG"));
    EXPECT_FALSE(midi.Play("MISSING", true));
    EXPECT_EQ(midi.CurrentSongName(), "SONG");
}

TEST(MidiDevice, TheSongNameIsNullBeforeAnyPlay)
{
    RecordingMidiOut out;
    TKivMidi midi(out);
    EXPECT_EQ(midi.CurrentSongName(), "NULL");
    EXPECT_FALSE(midi.IsPlay("NULL"));
}

TEST_F(MidiTest, PlayAfterTheSongEndedWithoutLoopSoundsNothingUntilReset)
{
    ASSERT_TRUE(PlaySong(TwoEndingTracks(), false));
    Passes(5);
    ASSERT_FALSE(midi.IsPlay());
    ASSERT_TRUE(midi.Load("SONG"));
    ASSERT_TRUE(midi.Play(false));
    Passes(5);  // the song ends again
    out.sent.clear();
    ASSERT_TRUE(midi.Play(true));
    Passes(5);
    EXPECT_TRUE(out.Shorts().empty());
    EXPECT_TRUE(midi.IsPlay());
    EXPECT_FALSE(midi.Reset(true));  // not while playing
    midi.Stop();
    ASSERT_TRUE(midi.Reset(true));
    ASSERT_TRUE(midi.Play(true));
    Passes(1);
    EXPECT_EQ(out.Shorts().size(), 2u);
}

TEST_F(MidiTest, StopKeepsThePositionsAndPlayResumes)
{
    ASSERT_TRUE(PlaySong(CueSong(), false));
    Passes(2);
    const std::uint32_t position = midi.Track(0).position;
    ASSERT_TRUE(midi.Stop());
    Passes(3);  // no pass runs while stopped
    EXPECT_EQ(midi.Track(0).position, position);
    ASSERT_TRUE(midi.Play(false));
    Passes(1);
    EXPECT_EQ(out.PassOf(NoteOn(2)), 6);
}

TEST_F(MidiTest, SendsTheGmAndGsMessagesWithTheirChecksums)
{
    const struct {
        const char* what;
        std::function<bool(TKivMidi&)> send;
        Bytes expected;  // empty: nothing sent
    } cases[] = {
        {"GM System On",
         [](TKivMidi& m) { return m.MidiReset(0); },
         {0xF0, 0x7E, 0x7F, 0x09, 0x01, 0xF7}},
        {"GS Reset",
         [](TKivMidi& m) { return m.MidiReset(1); },
         {0xF0, 0x41, 0x10, 0x42, 0x12, 0x40, 0x00, 0x7F, 0x00, 0x41, 0xF7}},
        {"other kind", [](TKivMidi& m) { return m.MidiReset(2); }, {}},
        {"reverb 4",
         [](TKivMidi& m) { return m.SetReverb(4); },
         {0xF0, 0x41, 0x10, 0x42, 0x12, 0x40, 0x01, 0x30, 0x04, 0x0B, 0xF7}},
        {"reverb 0x20",
         [](TKivMidi& m) { return m.SetReverb(0x20); },
         {0xF0, 0x41, 0x10, 0x42, 0x12, 0x40, 0x01, 0x30, 0x20, 0xEF, 0xF7}},
        {"chorus 2",
         [](TKivMidi& m) { return m.SetChorus(2); },
         {0xF0, 0x41, 0x10, 0x42, 0x12, 0x40, 0x01, 0x38, 0x02, 0x05, 0xF7}},
        {"delay 0x10",
         [](TKivMidi& m) { return m.SetDelay(0x10); },
         {0xF0, 0x41, 0x10, 0x42, 0x12, 0x40, 0x01, 0x50, 0x10, 0x5F, 0xF7}},
    };
    for (const auto& c : cases) {
        out.sent.clear();
        EXPECT_TRUE(c.send(midi)) << c.what;
        if (c.expected.empty()) {
            EXPECT_TRUE(out.sent.empty()) << c.what;
        } else {
            ASSERT_EQ(out.sent.size(), 1u) << c.what;
            EXPECT_EQ(out.sent[0].bytes, c.expected) << c.what;
        }
    }
    midi.CleanUp();
    for (const auto& c : cases) {
        EXPECT_FALSE(c.send(midi)) << c.what << " after CleanUp";
    }
}

TEST_F(MidiTest, LongMsgRetriesWhileTheOutputIsNotReady)
{
    const struct {
        int notReady;
        int attempts;
        bool delivered;
    } cases[] = {
        {0, 1, true}, {3, 4, true}, {199, 200, true}, {200, 200, false}, {500, 200, false}};
    const Bytes message = {0xF0, 0x7E, 0x7F, 0x09, 0x01, 0xF7};
    for (const auto& c : cases) {
        out.sent.clear();
        out.longAttempts = 0;
        out.notReadyAnswers = c.notReady;
        EXPECT_TRUE(midi.LongMsg(message));
        EXPECT_EQ(out.longAttempts, c.attempts) << c.notReady;
        EXPECT_EQ(out.sent.size(), c.delivered ? 1u : 0u) << c.notReady;
    }
}

TEST_F(MidiTest, SendsSystemExclusiveFromTheTrackWithItsF0)
{
    TrackBytes track;
    track.SysEx(0, {0x41, 0x10, 0x42, 0xF7}).Event(0, {0x90, 1, 64}).EndOfTrack(10);
    ASSERT_TRUE(PlaySong({track}, false));
    Passes(1);
    ASSERT_EQ(out.sent.size(), 3u);  // the load's reset, the message, the note
    EXPECT_EQ(out.sent[1].bytes, (Bytes{0xF0, 0x41, 0x10, 0x42, 0xF7}));
    EXPECT_EQ(out.sent[2].message, NoteOn(1));
}

TEST_F(MidiTest, AnEventCutShortByItsTrackEndsTheTrackUnsent)
{
    const struct {
        const char* what;
        TrackBytes cut;
    } cases[] = {
        {"note-on without its second data byte", TrackBytes().Raw({0x00, 0x90, 0x3C})},
        {"running status without its data", TrackBytes().Event(0, {0x90, 1, 64}).Raw({0x00, 2})},
        {"program change without data", TrackBytes().Raw({0x00, 0xC0})},
        {"delta time without an event", TrackBytes().Raw({0x00})},
        {"delta time cut inside", TrackBytes().Raw({0x81, 0x80})},
        {"system exclusive longer than the track", TrackBytes().Raw({0x00, 0xF0, 0x05, 0x41})},
        {"system exclusive length cut", TrackBytes().Raw({0x00, 0xF0, 0x85})},
        {"meta event without its type", TrackBytes().Raw({0x00, 0xFF})},
        {"tempo longer than the track", TrackBytes().Raw({0x00, 0xFF, 0x51, 0x03, 0x01})},
        {"meta length cut", TrackBytes().Raw({0x00, 0xFF, 0x07, 0x81})},
    };
    for (const auto& c : cases) {
        out.sent.clear();
        out.pass = 0;
        // Track 1 goes on: the cut track's end is an end like any other.
        TrackBytes other;
        other.Event(20, {0x91, 7, 64}).EndOfTrack(0);
        ASSERT_TRUE(PlaySong({c.cut, other}, false)) << c.what;
        Passes(1);
        EXPECT_TRUE(midi.Track(0).ended) << c.what;
        EXPECT_LE(midi.Track(0).position, midi.Track(0).length) << c.what;
        EXPECT_TRUE(midi.IsPlay()) << c.what;
        EXPECT_EQ(midi.Tempo(), 120) << c.what;
        for (const Sent& s : out.sent) {
            EXPECT_TRUE(s.kind == Sent::Reset || s.message == NoteOn(1)) << c.what;
        }
        Passes(2);
        EXPECT_EQ(out.PassOf(0x00400791), 3) << c.what;
        EXPECT_FALSE(midi.IsPlay()) << c.what;
    }
}

TEST(MidiDevice, InitFailureRefusesEverythingAndOffersTheMessage)
{
    RecordingMidiOut out;
    out.opensOk = false;
    TKivMidi midi(out);
    EXPECT_FALSE(midi.Init());
    EXPECT_EQ(TKivMidi::InitFailureText(), devicenames::kMidiMapperNotOpened);
    EXPECT_FALSE(midi.IsOpen());
    EXPECT_FALSE(midi.Load("BGM"));
    EXPECT_FALSE(midi.Play("BGM", true));
    EXPECT_FALSE(midi.Stop());
    EXPECT_FALSE(midi.MidiReset(0));
    midi.ShortMsg(0x90, 1, 2);
    EXPECT_TRUE(out.sent.empty());
}

TEST(MidiDevice, CleanUpStopsClosesAndForgetsTheSong)
{
    RecordingMidiOut out;
    TKivMidi midi(out);
    ASSERT_TRUE(midi.Init());
    ASSERT_TRUE(midi.Play("BGM", true));
    midi.CleanUp();
    EXPECT_EQ(out.closes, 1);
    EXPECT_EQ(out.Resets(), 1);
    EXPECT_EQ(out.Releases(), 1);
    EXPECT_FALSE(midi.IsOpen());
    EXPECT_FALSE(midi.IsLoaded());
    EXPECT_FALSE(midi.Track(0).active);
    EXPECT_FALSE(midi.Play(true));
}

TEST(MidiDevice, TheGameSongLoadsAndLoopsFromItsEndCueToItsRepeatCue)
{
    RecordingMidiOut out;
    TKivMidi midi(out);
    ASSERT_TRUE(midi.Init());
    ASSERT_TRUE(midi.Play("bgm", true));  // the resource's name in any letter case
    EXPECT_FALSE(midi.IsPlay("BGM"));
    EXPECT_EQ(midi.Format(), 1);
    EXPECT_EQ(midi.TrackCount(), 10);
    EXPECT_EQ(midi.Division(), 480);
    std::array<std::uint32_t, 10> before{};
    int jumpPass = 0;
    // The end cue at tick 32640 comes near pass 2470 at about 13.2 ticks a pass.
    for (int pass = 1; pass <= 3000 && jumpPass == 0; ++pass) {
        out.pass = pass;
        midi.SmfPlay();
        if (pass == 1) {
            EXPECT_EQ(midi.Tempo(), 165);
        }
        // Track 0 waits right after its "repeat" cue; the others show the jump back.
        for (int track = 1; track < 10; ++track) {
            const std::uint32_t position = midi.Track(track).position;
            if (position < before[static_cast<std::size_t>(track)]) {
                jumpPass = pass;
            }
            before[static_cast<std::size_t>(track)] = position;
        }
    }
    EXPECT_GT(jumpPass, 2400);
    EXPECT_TRUE(midi.IsPlay());
    EXPECT_GT(out.Shorts().size(), 100u);
    EXPECT_GT(midi.Track(0).loopPosition, 0u);
    EXPECT_EQ(midi.Track(0).position, midi.Track(0).loopPosition);
    EXPECT_FALSE(midi.Track(0).ended);
}

TEST(MidiDevice, ThreadModeRunsItsOwnPasses)
{
    RecordingMidiOut out;
    TKivMidi midi(out);
    ASSERT_TRUE(midi.Init(nullptr, true));
    EXPECT_TRUE(midi.ThreadMode());
    ASSERT_TRUE(midi.Play("BGM", false));
    {
        std::unique_lock lock(out.mutex);
        // Waits for the thread's passes to send something; a generous bound, not a measure.
        EXPECT_TRUE(out.arrived.wait_for(lock, std::chrono::seconds(30),
                                         [&] { return !out.Shorts().empty(); }));
    }
    midi.CleanUp();
    EXPECT_FALSE(midi.ThreadMode());
    EXPECT_EQ(out.closes, 1);
}

}  // namespace
}  // namespace kipkip
