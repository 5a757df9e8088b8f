#include "app/datachecker.h"

#include <gtest/gtest.h>

#include <sstream>

#include "platform/fatalerror.h"
#include "support/bmpbytes.h"
#include "support/smfbytes.h"
#include "support/tempdir.h"
#include "support/wavebytes.h"

namespace kipkip {
namespace {

TEST(DataChecker, ReportsCountsOrTheErrorPerFile)
{
    test::TempDir dir;
    std::string good = dir.Write("good.toy", "{\na 1\n# note\nb x\n}\n{\n}\n");
    std::string bad = dir.Write("bad.toy", "{\nbad 1-1\n}\n");
    std::ostringstream out;
    EXPECT_FALSE(DataChecker(false).CheckAll({good, bad}, out));
    EXPECT_EQ(out.str(), "{\"file\":\"" + good +
                             "\",\"kind\":\"text\",\"ok\":true,\"blocks\":2,\"entries\":2}\n"
                             "{\"file\":\"" +
                             bad + "\",\"kind\":\"text\",\"ok\":false,\"error\":\"" + bad +
                             ": line 2: \\\"1-1\\\" is not a number\"}\n");
    EXPECT_FALSE(ShutdownRequested());
}

TEST(DataChecker, ARecordsFileIsKnownByItsFirstLineWhateverItsName)
{
    test::TempDir dir;
    // A name that would otherwise be checked as a bitmap, and a data text that only mentions
    // the records further down.
    std::string records =
        dir.Write("table.bmp", "kipkip-records 1\nrecord ABC 12 12 1 0 2026-12-11 100 a.rec\n");
    std::string bad = dir.Write("bad-records", "kipkip-records 1\ninitials abc\n");
    std::string text = dir.Write("text.toy", "{\nkipkip-records 1\n}\n");
    std::ostringstream out;
    EXPECT_FALSE(DataChecker(false).CheckAll({records, bad, text}, out));
    EXPECT_EQ(out.str(),
              "{\"file\":\"" + records +
                  "\",\"kind\":\"records\",\"ok\":true,\"version\":1,\"records\":1,\"initials\":"
                  "\"\"}\n"
                  "{\"file\":\"" +
                  bad + "\",\"kind\":\"records\",\"ok\":false,\"error\":\"" + bad +
                  ": line 2: \\\"initials\\\" takes three letters A to Z\"}\n"
                  "{\"file\":\"" +
                  text + "\",\"kind\":\"text\",\"ok\":true,\"blocks\":1,\"entries\":1}\n");
}

TEST(DataChecker, DumpShowsEveryEntryAsKeyAndSixteenBytes)
{
    test::TempDir dir;
    // The key "背景" (background) in Shift-JIS.
    std::string file = dir.Write("scene.toy", "{\n\x94\x77\x8c\x69 1,-1\n}\n");
    std::ostringstream out;
    EXPECT_TRUE(DataChecker(true).CheckAll({file}, out));
    std::string lines = out.str();
    EXPECT_NE(
        lines.find(
            "\n{\"block\":0,\"entry\":0,\"key\":\"\xe8\x83\x8c\xe6\x99\xaf\",\"keyHex\":\"9477"
            "8c69\",\"value\":\"01000000ffffffff0000000000000000\"}\n"),
        std::string::npos)
        << lines;
}

TEST(DataChecker, BitmapsReportTheirSizeAndBitsOrWhyNot)
{
    test::TempDir dir;
    test::BmpSpec layout;
    layout.width = 3;
    layout.height = 2;
    layout.bits = 4;
    layout.palette = {0xFFFFFF};
    layout.rows = {{0, 0, 0}, {0, 0, 0}};
    std::vector<std::uint8_t> bytes = test::BmpBytes(layout);
    std::string good = dir.Write("Sprite.BMP", std::string(bytes.begin(), bytes.end()));
    std::string cut = dir.Write("cut.bmp", std::string(bytes.begin(), bytes.end() - 1));
    std::string missing = (dir.Path() / "missing.bmp").string();
    std::ostringstream out;
    EXPECT_FALSE(DataChecker(false).CheckAll({good, cut, missing}, out));
    EXPECT_EQ(out.str(),
              "{\"file\":\"" + good +
                  "\",\"kind\":\"bitmap\",\"ok\":true,\"width\":3,\"height\":2,\"bits\":4}\n"
                  "{\"file\":\"" +
                  cut +
                  "\",\"kind\":\"bitmap\",\"ok\":false,\"error\":\"truncated: the pixels run "
                  "past the end of the file\"}\n"
                  "{\"file\":\"" +
                  missing +
                  "\",\"kind\":\"bitmap\",\"ok\":false,\"error\":\"the file cannot be "
                  "read\"}\n");
}

TEST(DataChecker, WavesReportTheirFormatAndLengthOrWhyNot)
{
    test::TempDir dir;
    std::vector<std::uint8_t> bytes = test::PcmWave(2, 22050, 16, test::Pcm16({1, 2, 3, 4, 5, 6}));
    std::string good = dir.Write("Fly.WAV", std::string(bytes.begin(), bytes.end()));
    std::string cut = dir.Write("cut.wav", std::string(bytes.begin(), bytes.end() - 1));
    std::string missing = (dir.Path() / "missing.wav").string();
    std::ostringstream out;
    EXPECT_FALSE(DataChecker(false).CheckAll({good, cut, missing}, out));
    EXPECT_EQ(out.str(),
              "{\"file\":\"" + good +
                  "\",\"kind\":\"wave\",\"ok\":true,\"channels\":2,\"rate\":22050,\"bits\":"
                  "16,\"frames\":3}\n"
                  "{\"file\":\"" +
                  cut +
                  "\",\"kind\":\"wave\",\"ok\":false,\"error\":\"the 'data' chunk at byte 36 "
                  "runs past the end of the image\"}\n"
                  "{\"file\":\"" +
                  missing +
                  "\",\"kind\":\"wave\",\"ok\":false,\"error\":\"the file cannot be "
                  "read\"}\n");
}

TEST(DataChecker, MidiFilesReportFormatTracksAndDivisionOrWhyNot)
{
    test::TempDir dir;
    test::TrackBytes track;
    track.Event(0, {0x90, 60, 64}).EndOfTrack(480);
    const test::Bytes song = test::SmfFile(1, 96, {track, track, track});
    const test::Bytes format2 = test::SmfFile(2, 480, {track});
    std::string good = dir.Write("Song.MID", std::string(song.begin(), song.end()));
    std::string cut = dir.Write("cut.mid", std::string(song.begin(), song.end() - 1));
    std::string refused = dir.Write("two.mid", std::string(format2.begin(), format2.end()));
    std::ostringstream out;
    EXPECT_FALSE(DataChecker(false).CheckAll({good, cut, refused}, out));
    EXPECT_EQ(out.str(),
              "{\"file\":\"" + good +
                  "\",\"kind\":\"midi\",\"ok\":true,\"format\":1,\"tracks\":3,\"division\":96}\n"
                  "{\"file\":\"" +
                  cut +
                  "\",\"kind\":\"midi\",\"ok\":false,\"error\":\"track 2: the track runs past "
                  "the end of the file\"}\n"
                  "{\"file\":\"" +
                  refused +
                  "\",\"kind\":\"midi\",\"ok\":false,\"error\":\"format 2 is not played (only 0 "
                  "and 1)\"}\n");
}

}  // namespace
}  // namespace kipkip
