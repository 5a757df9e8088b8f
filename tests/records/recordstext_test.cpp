#include "records/recordstext.h"

#include <gtest/gtest.h>

#include <string>

namespace kipkip {
namespace {

using Status = RecordsTextResult::Status;

RecordsTextResult Parse(std::string_view text)
{
    return RecordsText::Parse(
        "kipkip-records.txt",
        std::span(reinterpret_cast<const std::uint8_t*>(text.data()), text.size()));
}

constexpr std::string_view kHeader = "kipkip-records 1\n";
constexpr std::string_view kGoodRecord = "record ABC 1234 1301 12 40 2026-12-11 70 0001.rec";

TEST(RecordsText, ReadsEveryFieldOfARecord)
{
    const RecordsTextResult result =
        Parse(std::string(kHeader) + "initials KIP\n" + std::string(kGoodRecord) + "\n");
    ASSERT_EQ(result.status, Status::kRead) << result.error;
    ASSERT_EQ(result.table.Records().size(), 1u);
    const Record expected{"ABC", 1234, 1301, 12, 40, "2026-12-11", 70, "0001.rec"};
    EXPECT_EQ(result.table.Records()[0], expected);
    EXPECT_EQ(result.table.LastInitials(), "KIP");
}

TEST(RecordsText, FormatReadsBackAsTheSameTable)
{
    RecordsTable table;
    table.SetLastInitials("ZED");
    table.Insert({"ABC", 1234, 1301, 12, 40, "2026-12-11", 100, "0001.rec"});
    table.Insert({"KIP", 980, 1002, -3, 0, "2024-02-29", 50, "a_b-c.9.rec"});
    table.Insert({"ABC", 456975, 9999999, 99999, 9999999, "2026-01-01", 90, "x"});
    table.Insert({"QQQ", 980, 980, 0, 1, "2026-12-10", 60, "tie.rec"});
    const std::string text = RecordsText::Format(table);
    EXPECT_TRUE(text.starts_with("kipkip-records 1\n")) << text;
    const RecordsTextResult back = Parse(text);
    ASSERT_EQ(back.status, Status::kRead) << back.error;
    EXPECT_EQ(back.table, table);
    EXPECT_EQ(RecordsText::Format(back.table), text);

    const RecordsTextResult empty = Parse(RecordsText::Format(RecordsTable{}));
    ASSERT_EQ(empty.status, Status::kRead) << empty.error;
    EXPECT_TRUE(empty.table.Empty());
    EXPECT_EQ(empty.table.LastInitials(), "");
}

TEST(RecordsText, TakesCommentsBlankLinesCrLfAndRecordsInAnyOrder)
{
    const RecordsTextResult result = Parse(
        "kipkip-records 1\r\n# mine\r\n\r\n  # indented\r\n"
        "record LOW 5 5 1 0 2026-12-11 100 low.rec\r\n"
        "record TOP 9 9 1 0 2026-12-11 100 top.rec\r\n"
        "record\tEVN  5 5 1 0 2026-12-11 100 even.rec");
    ASSERT_EQ(result.status, Status::kRead) << result.error;
    ASSERT_EQ(result.table.Records().size(), 3u);
    EXPECT_EQ(result.table.Records()[0].initials, "TOP");
    EXPECT_EQ(result.table.Records()[1].initials, "LOW") << "the earlier of equal scores";
    EXPECT_EQ(result.table.Records()[2].initials, "EVN");
}

TEST(RecordsText, ABadLineIsRefusedWithItsNumberAndWhatIsWrong)
{
    struct Case {
        std::string line;
        std::string error;  // what the message says after "line 3: "
    };
    const std::string longName(65, 'r');
    const Case cases[] = {
        {"record ABC 1234 1301 12 40 2026-12-11 70", "a record has eight fields"},
        {std::string(kGoodRecord) + " extra", "a record has eight fields"},
        {"record AB 1 1 1 1 2026-12-11 100 r.rec", "the initials must be three letters"},
        {"record abc 1 1 1 1 2026-12-11 100 r.rec", "the initials must be three letters"},
        {"record ABCD 1 1 1 1 2026-12-11 100 r.rec", "the initials must be three letters"},
        {"record ABC 456976 456976 1 1 2026-12-11 100 r.rec", "the score takes a whole number"},
        {"record ABC -1 1 1 1 2026-12-11 100 r.rec", "the score takes a whole number"},
        {"record ABC 1x 1 1 1 2026-12-11 100 r.rec", "the score takes a whole number"},
        {"record ABC 99999999999 1 1 1 2026-12-11 100 r.rec", "the score takes a whole number"},
        {"record ABC 10 9 1 1 2026-12-11 100 r.rec", "the best height must be from the score"},
        {"record ABC 10 10000000 1 1 2026-12-11 100 r.rec", "the best height takes"},
        {"record ABC 1 1 100000 1 2026-12-11 100 r.rec", "the level takes"},
        {"record ABC 1 1 1 -1 2026-12-11 100 r.rec", "the coin count takes"},
        {"record ABC 1 1 1 1 2026-02-30 100 r.rec", "the date must be a day"},
        {"record ABC 1 1 1 1 2026-1-01 100 r.rec", "the date must be a day"},
        {"record ABC 1 1 1 1 2026-12-1x 100 r.rec", "the date must be a day"},
        {"record ABC 1 1 1 1 2026-12-11 49 r.rec", "the speed takes"},
        {"record ABC 1 1 1 1 2026-12-11 101 r.rec", "the speed takes"},
        {"record ABC 1 1 1 1 2026-12-11 100 ../kipkip.dat", "the recording must be a plain"},
        {"record ABC 1 1 1 1 2026-12-11 100 records/r.rec", "the recording must be a plain"},
        {"record ABC 1 1 1 1 2026-12-11 100 .hidden", "the recording must be a plain"},
        {"record ABC 1 1 1 1 2026-12-11 100 " + longName, "the recording must be a plain"},
        {"initials AB", "\"initials\" takes three letters"},
        {"initials ABC DEF", "\"initials\" takes three letters"},
        {"score ABC 1", "\"score\" does not begin a line"},
        {"\x01sc\xC3\xB6re\x7F", "\"?sc??re?\" does not begin a line"},
        {"# " + std::string(300, 'x'), "the line is longer than 256 characters"},
    };
    for (const Case& c : cases) {
        const RecordsTextResult result =
            Parse(std::string(kHeader) + "# fields\n" + c.line + "\n" + std::string(kGoodRecord));
        EXPECT_EQ(result.status, Status::kDamaged) << c.line;
        EXPECT_TRUE(result.table.Empty()) << c.line;
        EXPECT_TRUE(result.error.starts_with("kipkip-records.txt: line 3: " + c.error))
            << c.line << "\n"
            << result.error;
    }
    const RecordsTextResult twice = Parse(std::string(kHeader) + "initials KIP\ninitials KIP\n");
    EXPECT_EQ(twice.error, "kipkip-records.txt: line 3: the initials are given twice");
}

TEST(RecordsText, TheFirstLineMustNameTheFormat)
{
    for (const char* text : {"", "\n", "kipkip-records\n", "kipkip-records 0\n",
                             "kipkip-records one\n", "kipkip-replay 1\n", "# kipkip-records 1\n",
                             "kipkip-records 1 more\n", "\xEF\xBB\xBFkipkip-records 1\n"}) {
        const RecordsTextResult result = Parse(text);
        EXPECT_EQ(result.status, Status::kDamaged) << text;
        EXPECT_TRUE(result.error.starts_with("kipkip-records.txt: line 1: not a records file"))
            << result.error;
    }
}

TEST(RecordsText, ALaterVersionIsToldApartAndNotRead)
{
    // Its lines may mean anything to the later version, and it may be larger.
    const std::string later =
        "kipkip-records 2\nrecord whatever\n" + std::string(RecordsText::kMaxSize, '#');
    const RecordsTextResult result = Parse(later);
    EXPECT_EQ(result.status, Status::kNewer);
    EXPECT_TRUE(result.table.Empty());
    EXPECT_NE(result.error.find("later version"), std::string::npos) << result.error;
}

TEST(RecordsText, TooLongIsMoreThanTenRecordsOrMoreThanTheSizeLimit)
{
    std::string eleven(kHeader);
    for (int i = 0; i < 11; ++i) {
        eleven += std::string(kGoodRecord) + "\n";
    }
    const RecordsTextResult records = Parse(eleven);
    EXPECT_EQ(records.status, Status::kDamaged);
    EXPECT_EQ(records.error, "kipkip-records.txt: line 12: too long: more than 10 records");

    std::string large(kHeader);
    while (large.size() <= RecordsText::kMaxSize) {
        large += "# padding padding padding padding padding padding padding padding\n";
    }
    const RecordsTextResult size = Parse(large);
    EXPECT_EQ(size.status, Status::kDamaged);
    EXPECT_EQ(size.error, "kipkip-records.txt: too long: larger than 65536 bytes");
}

}  // namespace
}  // namespace kipkip
