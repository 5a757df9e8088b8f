#include "device/midifile.h"

#include <gtest/gtest.h>

#include <string>
#include <string_view>
#include <vector>

#include "support/smfbytes.h"

namespace kipkip {
namespace {

using test::Bytes;
using test::SmfFile;
using test::TrackBytes;

TEST(MidiReader, RefusesWhatTheSequencerDoesNotPlayAndSaysWhy)
{
    TrackBytes track;
    track.EndOfTrack(0);
    Bytes notMThd = SmfFile(1, 480, {track});
    notMThd[0] = 'X';
    Bytes badChunk = SmfFile(1, 480, {track, track});
    badChunk[14 + 8 + track.data.size()] = 'X';
    Bytes runsPast = SmfFile(0, 480, {track});
    runsPast.pop_back();
    const struct {
        const char* what;
        Bytes file;
        const char* reason;  // empty: accepted
    } cases[] = {
        {"format 0", SmfFile(0, 480, {track}), ""},
        {"format 1", SmfFile(1, 96, {track, track}), ""},
        {"format 2", SmfFile(2, 480, {track}), "format 2"},
        {"no MThd", notMThd, "MThd"},
        {"header cut short", Bytes(notMThd.begin(), notMThd.begin() + 13), "shorter"},
        {"second chunk not MTrk", badChunk, "track 1: the chunk is not MTrk"},
        {"fewer tracks than declared", SmfFile(1, 480, {track}, 2), "track 1: the file ends"},
        {"track past the end", runsPast, "track 0: the track runs past"},
    };
    for (const auto& c : cases) {
        MidiFile image;
        std::string error;
        const bool ok = MidiFile::Read(c.file, image, error);
        EXPECT_EQ(ok, std::string_view(c.reason).empty()) << c.what;
        EXPECT_NE(error.find(c.reason), std::string::npos) << c.what << ": " << error;
    }
}

// What a synthesiser must have loaded for the song: each program change with its channel's bank
// (the drum channel's kits in bank 128), and the presets a reset selects.
TEST(MidiReader, NamesThePresetsTheSongPlays)
{
    TrackBytes lead;
    lead.Event(0, {0xC0, 80}).Event(0, {0xB1, 0, 8}).Event(0, {0xC1, 4}).Event(0, {0x91, 60, 64});
    lead.Event(10, {60, 0}).Event(0, {0xC0, 80}).EndOfTrack(0);  // running status, a repeat
    TrackBytes drums;
    drums.SysEx(0, {0x7E, 0x7F, 0x09, 0x01, 0xF7}).Event(0, {0xC9, 25}).Event(0, {0x99, 36, 90});
    drums.Raw({0x00, 0xC2});  // a program change cut short by the end of its track
    const Bytes song = SmfFile(1, 480, {lead, drums});
    MidiFile file;
    std::string error;
    ASSERT_TRUE(MidiFile::Read(song, file, error)) << error;
    const std::vector<MidiPreset> expected = {
        {0, 0}, {0, 80}, {8, 4}, {MidiPreset::kDrumBank, 0}, {MidiPreset::kDrumBank, 25}};
    EXPECT_EQ(file.Presets(), expected);
}

}  // namespace
}  // namespace kipkip
