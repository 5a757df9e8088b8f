#include "records/recordstable.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace kipkip {
namespace {

Record Game(std::string initials, std::int32_t score, std::string recording = "r.rec")
{
    return {std::move(initials), score, score, 1, 0, "2026-12-11", 100, std::move(recording)};
}

// The initials of the table's records in order.
std::string Order(const RecordsTable& table)
{
    std::string order;
    for (const Record& record : table.Records()) {
        order += record.initials + " ";
    }
    return order;
}

RecordsTable FullTable()
{
    RecordsTable table;
    for (int i = 0; i < 10; ++i) {
        const char letter = static_cast<char>('A' + i);
        EXPECT_FALSE(table.Insert(Game(std::string(3, letter), 1000 - 100 * i)));
    }
    return table;
}

TEST(RecordsTable, KeepsTheBestFirstAndAnOlderRecordAheadOfAnEqualScore)
{
    RecordsTable table;
    EXPECT_FALSE(table.Insert(Game("AAA", 50)));
    EXPECT_FALSE(table.Insert(Game("BBB", 80)));
    EXPECT_FALSE(table.Insert(Game("CCC", 50)));
    EXPECT_FALSE(table.Insert(Game("DDD", 10)));
    EXPECT_FALSE(table.Insert(Game("EEE", 80)));
    EXPECT_EQ(Order(table), "BBB EEE AAA CCC DDD ");
}

TEST(RecordsTable, PlaceIsWhereAGameWithThatScoreWouldEnter)
{
    RecordsTable empty;
    EXPECT_EQ(empty.Place(0), 0u) << "any game enters an empty table";
    const RecordsTable full = FullTable();  // 1000, 900, ..., 100
    struct Case {
        std::int32_t score;
        std::optional<std::size_t> place;
    };
    const Case cases[] = {
        {1001, 0},
        {1000, 1},  // a tie goes behind the older record
        {950, 1},
        {101, 9},
        {100, std::nullopt},  // ties the last of a full table: does not pass it
        {0, std::nullopt},
        {-1, std::nullopt},
        {Record::kMaxScore + 1, std::nullopt},  // more than kipkip.dat can hold
    };
    for (const Case& c : cases) {
        EXPECT_EQ(full.Place(c.score), c.place) << "score " << c.score;
    }
    EXPECT_EQ(empty.Place(-1), std::nullopt);
}

TEST(RecordsTable, InsertIntoAFullTablePushesOutTheLastRecord)
{
    RecordsTable table = FullTable();
    const std::optional<Record> out = table.Insert(Game("NEW", 450, "new.rec"));
    ASSERT_TRUE(out);
    EXPECT_EQ(out->initials, "JJJ");
    EXPECT_EQ(out->score, 100);
    EXPECT_EQ(Order(table), "AAA BBB CCC DDD EEE FFF NEW GGG HHH III ");
}

TEST(RecordsTable, AGameThatDoesNotEnterComesBackUntouched)
{
    RecordsTable table = FullTable();
    const Record game = Game("LOW", 100, "low.rec");
    EXPECT_EQ(table.Insert(game), game);
    EXPECT_EQ(table, FullTable());
}

TEST(RecordsTable, ARecordTheFileCannotHoldNeverEnters)
{
    Record badInitials = Game("ab1", 10);
    Record badRecording = Game("ABC", 10, "../kipkip.dat");
    Record bestBelowScore = Game("ABC", 10);
    bestBelowScore.best = 9;
    for (const Record& bad : {badInitials, badRecording, bestBelowScore}) {
        RecordsTable table;
        EXPECT_EQ(table.Insert(bad), bad);
        EXPECT_TRUE(table.Empty());
    }
}

TEST(RecordsTable, LastInitialsAreThreeCapitalLetters)
{
    RecordsTable table;
    EXPECT_TRUE(table.SetLastInitials("KIP"));
    for (const char* bad : {"", "KI", "KIPP", "kip", "K P", "KÍP"}) {
        EXPECT_FALSE(table.SetLastInitials(bad)) << bad;
    }
    EXPECT_EQ(table.LastInitials(), "KIP");
}

}  // namespace
}  // namespace kipkip
