#include "device/midifile.h"

#include <gtest/gtest.h>

#include <string>
#include <string_view>

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

}  // namespace
}  // namespace kipkip
