// The records of a run: a game that enters the table is kept with its recording, a record pushed
// out takes its recording with it, and a table that must not be written takes no game.
#include "app/recordskeeper.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "records/recordsfile.h"
#include "support/tempdir.h"

namespace kipkip {
namespace {

namespace fs = std::filesystem;

Pace PaceOf(std::initializer_list<std::int32_t> heights)
{
    Pace pace;
    for (std::int32_t height : heights) {
        pace.Add(height);
    }
    return pace;
}

LoggedGame GameEnding(std::int32_t score, Pace pace = PaceOf({0, 1, 2}))
{
    LoggedGame game;
    game.score = score;
    game.best = score + 5;
    game.level = 2;
    game.coins = 4;
    game.slowestSpeed = 70;
    game.pace = std::move(pace);
    return game;
}

TEST(RecordsKeeper, AGameIsKeptWithItsRecordingInAnEmptyDirectory)
{
    test::TempDir dir;
    RecordsKeeper keeper(dir.Path().string());
    EXPECT_EQ(keeper.Message(), "");
    EXPECT_EQ(keeper.Place(0), 0u);
    EXPECT_EQ(keeper.Keep(GameEnding(120), "KIP", "kipkip-replay 1\n"), std::nullopt);

    EXPECT_EQ(test::Contents(dir.Path() / "records" / "0001.rec"), "kipkip-replay 1\n");
    const RecordsFile::Loaded loaded = RecordsFile::Load(dir.Path().string());
    ASSERT_EQ(loaded.table.Records().size(), 1u);
    const Record& kept = loaded.table.Records()[0];
    EXPECT_EQ(kept.initials, "KIP");
    EXPECT_EQ(kept.score, 120);
    EXPECT_EQ(kept.best, 125);
    EXPECT_EQ(kept.level, 2);
    EXPECT_EQ(kept.coins, 4);
    EXPECT_EQ(kept.speed, 70);
    EXPECT_EQ(kept.recording, "0001.rec");
    EXPECT_TRUE(Record::ValidDate(kept.date)) << kept.date;
    EXPECT_EQ(loaded.table.LastInitials(), "KIP");
    EXPECT_EQ(keeper.Table(), loaded.table);
}

TEST(RecordsKeeper, ARecordPushedOutOfAFullTableTakesItsRecordingAlong)
{
    test::TempDir dir;
    const std::string data = dir.Path().string();
    RecordsKeeper first(data);
    for (std::int32_t score = 10; score <= 100; score += 10) {
        ASSERT_EQ(first.Keep(GameEnding(score), "ABC", "run " + std::to_string(score)),
                  std::nullopt);
    }
    RecordsKeeper keeper(data);  // as the next run reads them
    EXPECT_EQ(keeper.Place(10), std::nullopt) << "a tie does not pass the oldest";
    ASSERT_EQ(keeper.Place(15), 9u);
    EXPECT_EQ(keeper.Keep(GameEnding(15), "XYZ", "run 15"), std::nullopt);
    EXPECT_FALSE(fs::exists(dir.Path() / "records" / "0001.rec")) << "the score of 10 left";
    EXPECT_EQ(test::Contents(dir.Path() / "records" / "0011.rec"), "run 15");
    EXPECT_EQ(RecordsFile::Load(data).table.Records().back().initials, "XYZ");
}

TEST(RecordsKeeper, TheBestPaceIsTheBestRecordsFromTheMomentItIsMade)
{
    test::TempDir dir;
    const std::string data = dir.Path().string();
    RecordsKeeper keeper(data);
    EXPECT_EQ(keeper.BestPace(), nullptr);
    keeper.Keep(GameEnding(50, PaceOf({0, 3, 6})), "ABC", "best");
    ASSERT_NE(keeper.BestPace(), nullptr);
    keeper.Keep(GameEnding(20, PaceOf({0, 1})), "ABC", "second");
    EXPECT_EQ(*keeper.BestPace(), PaceOf({0, 3, 6}));
    keeper.Keep(GameEnding(80, PaceOf({0, 9})), "ABC", "new best");
    EXPECT_EQ(*keeper.BestPace(), PaceOf({0, 9}));

    const RecordsKeeper next(data);  // the next run reads it from the best record's pace file
    ASSERT_NE(next.BestPace(), nullptr);
    EXPECT_EQ(*next.BestPace(), PaceOf({0, 9}));
    fs::remove(dir.Path() / "records" / "0003.pace");
    EXPECT_EQ(RecordsKeeper(data).BestPace(), nullptr) << "a lost pace shows no marker";
}

TEST(RecordsKeeper, ATableOfALaterVersionIsToldOfAndTakesNoGame)
{
    test::TempDir dir;
    dir.Write("kipkip-records.txt", "kipkip-records 2\n");
    RecordsKeeper keeper(dir.Path().string());
    EXPECT_NE(keeper.Message().find("later version"), std::string::npos) << keeper.Message();
    EXPECT_EQ(keeper.Place(1000), std::nullopt);
    EXPECT_EQ(test::Contents(dir.Path() / "kipkip-records.txt"), "kipkip-records 2\n");
}

}  // namespace
}  // namespace kipkip
