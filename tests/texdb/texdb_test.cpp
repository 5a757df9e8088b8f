#include "texdb/texdb.h"

#include <gtest/gtest.h>

#include <string>

#include "platform/fatalcapture.h"
#include "platform/resources.h"
#include "support/tempdir.h"
#include "texdb/texdbnames.h"

namespace kipkip {
namespace {

// Three blocks: two sprites and a layer; the second sprite has `pos` twice.
constexpr std::string_view kScene =
    "note outside blocks\n"
    "{\nclass Sprite\nname one\npos 1,2\n}\n"
    "\n"
    "{\nclass Layer\nname back\n}\n"
    "{\nclass Sprite\nname two\npos 3,4\npos 5,6\nsize 7\n}\n";

TEST(TexDbBlocks, FirstAndNextWalkEveryBlockInTextOrder)
{
    TTexDb db = TTexDb::FromText("scene", kScene);
    std::string names;
    do {
        names += std::string(db.Get("name").Text()) + " ";
    } while (db.Next());
    EXPECT_EQ(names, "one back two ");
    EXPECT_EQ(db.CurrentIndex(), -1);
    EXPECT_EQ(db.Current(), nullptr);
}

TEST(TexDbBlocks, FindBlockFiltersTheLaterNexts)
{
    TTexDb db = TTexDb::FromText("scene", kScene);
    ASSERT_TRUE(db.FindBlock("class", TexValue::FromText("Sprite")));
    EXPECT_EQ(db.Get("name").Text(), "one");
    ASSERT_TRUE(db.Next());
    EXPECT_EQ(db.Get("name").Text(), "two");
    EXPECT_FALSE(db.Next());
    EXPECT_FALSE(db.FindBlock("class", TexValue::FromText("Picture")));
}

TEST(TexDbBlocks, FindBlockWithTheZeroValueMatchesBlocksWithoutTheKey)
{
    TTexDb db = TTexDb::FromText("scene", kScene);
    ASSERT_TRUE(db.FindBlock("pos", TexValue()));
    EXPECT_EQ(db.Get("name").Text(), "back");
    EXPECT_EQ(db.CurrentIndex(), 1);
}

TEST(TexDbEntries, GetGivesTheFirstMatchAndNextEntryVisitsTheRest)
{
    TTexDb db = TTexDb::FromText("scene", kScene);
    db.FindBlock("name", TexValue::FromText("two"));
    EXPECT_EQ(db.Get("pos").Int(0), 3);
    ASSERT_TRUE(db.NextEntry());
    EXPECT_EQ(db.EntryKey(), "pos");
    EXPECT_EQ(db.EntryValue().Int(0), 5);
    ASSERT_TRUE(db.NextEntry());
    EXPECT_EQ(db.EntryKey(), "size");
    // Past the last entry: false, and the cursor starts over at entry 0, so the next is entry 1.
    EXPECT_FALSE(db.NextEntry());
    ASSERT_TRUE(db.NextEntry());
    EXPECT_EQ(db.EntryKey(), "name");
}

TEST(TexDbEntries, AMissingKeyGivesTheZeroValueAndLeavesTheCursor)
{
    TTexDb db = TTexDb::FromText("scene", kScene);
    db.Get("pos");
    EXPECT_EQ(db.Get("missing"), TexValue());
    EXPECT_EQ(db.EntryKey(), "pos");
    EXPECT_EQ(db.Get("Pos"), TexValue());  // keys are compared byte for byte
}

TEST(TexDbEntries, ATextWithoutBlocksHasNoCurrentBlock)
{
    FatalCapture capture;
    TTexDb db = TTexDb::FromText("empty", "nothing here\n");
    EXPECT_TRUE(capture.Messages().empty());
    EXPECT_EQ(db.Current(), nullptr);
    EXPECT_EQ(db.Get("class"), TexValue());
    EXPECT_FALSE(db.NextEntry());
    EXPECT_EQ(db.EntryKey(), "");
    EXPECT_FALSE(db.Next());
    EXPECT_FALSE(db.FindBlock("class", TexValue()));
}

TEST(TexDbLoading, ABuiltInResourceComesFirstAndItsNameIgnoresCase)
{
    test::TempDir dir;
    dir.Write("DiFiCuLtY", "{\nname other\n}\n");
    test::ScopedCurrentPath inside(dir.Path());
    FatalCapture capture;
    TTexDb db("DiFiCuLtY", "text");
    EXPECT_TRUE(capture.Messages().empty());
    EXPECT_EQ(db.BlockCount(), 1);
    EXPECT_NE(db.Get("name").Text(), "other");
    EXPECT_EQ(db.Get("max").Int(0), 40);
}

TEST(TexDbLoading, WithoutAResourceTheFileIsRead)
{
    test::TempDir dir;
    std::string file = dir.Write("files/data.toy", "{\nclass Layer\n}\n");
    FatalCapture capture;
    TTexDb db(file, "TEXT");
    EXPECT_TRUE(capture.Messages().empty());
    EXPECT_EQ(db.Get("class").Text(), "Layer");
}

TEST(TexDbLoading, FailuresAreReportedAndLeaveAnEmptyDatabase)
{
    test::TempDir dir;
    struct Case {
        std::string name;
        std::string message;
    };
    const Case cases[] = {
        {(dir.Path() / "missing.toy").string(),
         "TTexDb : " + (dir.Path() / "missing.toy").string() + std::string(texdbnames::kMissing)},
        {dir.Write("number.toy", "{\na 1\n}\n{\nb 1x-\nc 1-1\n}\n"),
         dir.Path().string() + "/number.toy: line 6: \"1-1\" is not a number"},
    };
    for (const Case& c : cases) {
        FatalCapture capture;
        TTexDb db(c.name, "TEXT");
        ASSERT_EQ(capture.Messages().size(), 1u) << c.name;
        EXPECT_EQ(capture.Messages()[0], c.message);
        EXPECT_TRUE(ShutdownRequested());
        EXPECT_EQ(db.BlockCount(), 0);
        EXPECT_EQ(db.Get("a"), TexValue());
        EXPECT_FALSE(db.Next());
    }
}

TEST(TexDbLoading, UnpairedBracesAreReportedOnceAndTheRestLoads)
{
    FatalCapture capture;
    TTexDb db = TTexDb::FromText("broken", "}\n}\n{\na 1\n}\n}\n{\nb 2\n");
    ASSERT_EQ(capture.Messages().size(), 1u);
    EXPECT_EQ(capture.Messages()[0], texdbnames::kBracketNotClosed);
    EXPECT_EQ(db.BlockCount(), 2);
    EXPECT_EQ(db.Get("a").Int(0), 1);
}

// The built-in difficulty table: one block of `max`, `start` and one row per level.
TEST(TexDbBuiltIn, TheDifficultyTableHasFortyRowsInShorts)
{
    const std::int16_t rows[40][7] = {
        {3, 3, 4, 4, 0, 10, 60},   {3, 3, 4, 4, 10, 20, 30}, {3, 3, 4, 4, 10, 30, 30},
        {3, 3, 4, 4, 20, 30, 30},  {3, 3, 4, 4, 20, 40, 30}, {3, 3, 3, 4, 30, 40, 30},
        {3, 3, 3, 4, 30, 50, 30},  {3, 3, 3, 4, 40, 50, 30}, {3, 3, 3, 4, 40, 60, 30},
        {3, 3, 3, 4, 50, 60, 30},  {2, 3, 3, 4, 30, 40, 60}, {2, 3, 3, 4, 30, 50, 30},
        {2, 3, 3, 4, 40, 50, 30},  {2, 3, 3, 4, 40, 60, 30}, {2, 3, 3, 4, 40, 60, 30},
        {2, 3, 3, 3, 50, 60, 30},  {2, 3, 3, 3, 50, 70, 30}, {2, 3, 3, 3, 50, 70, 20},
        {2, 3, 3, 3, 60, 70, 20},  {2, 3, 3, 3, 60, 80, 20}, {2, 3, 2, 4, 40, 50, 60},
        {2, 3, 1, 4, 40, 50, 30},  {1, 3, 4, 4, 40, 60, 30}, {1, 3, 3, 3, 50, 70, 30},
        {1, 3, 2, 3, 50, 70, 30},  {2, 3, 1, 3, 60, 70, 30}, {3, 4, 1, 2, 60, 70, 30},
        {2, 3, 1, 3, 50, 80, 20},  {2, 3, 1, 4, 60, 80, 20}, {1, 3, 1, 3, 70, 100, 20},
        {2, 3, 2, 4, 50, 60, 120}, {1, 3, 2, 3, 50, 70, 30}, {1, 3, 2, 3, 50, 70, 30},
        {1, 3, 2, 3, 60, 70, 30},  {1, 3, 1, 3, 60, 80, 30}, {1, 3, 1, 3, 60, 80, 30},
        {1, 3, 1, 3, 70, 80, 20},  {1, 3, 1, 2, 70, 90, 20}, {1, 2, 1, 2, 70, 100, 20},
        {1, 2, 1, 2, 80, 110, 20},
    };
    FatalCapture capture;
    TTexDb db("dificulty", "TEXT");
    // "難易度データ" (difficulty data)
    ASSERT_TRUE(db.FindBlock(
        "name", TexValue::FromText("\x93\xef\x88\xd5\x93\x78\x83\x66\x81\x5b\x83\x5e")));
    EXPECT_EQ(db.Get("max").Int(0), 40);
    EXPECT_EQ(db.Get("start").Int(0), 0);
    for (int row = 0; row < 40; ++row) {
        ASSERT_TRUE(db.NextEntry()) << "row " << row;
        for (int field = 0; field < 7; ++field) {
            EXPECT_EQ(db.EntryValue().Short(field), rows[row][field]) << "row " << row;
        }
    }
    EXPECT_FALSE(db.NextEntry());
    EXPECT_TRUE(capture.Messages().empty());
}

}  // namespace
}  // namespace kipkip
