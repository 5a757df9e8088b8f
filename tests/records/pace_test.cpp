// A game's pace: its heights tick by tick, the text that keeps only their changes, and the file.
#include "records/pace.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "records/pacefile.h"
#include "records/pacetext.h"
#include "support/tempdir.h"

namespace kipkip {
namespace {

namespace fs = std::filesystem;

Pace PaceOf(const std::vector<std::int32_t>& heights)
{
    Pace pace;
    for (std::int32_t height : heights) {
        EXPECT_TRUE(pace.Add(height)) << height;
    }
    return pace;
}

std::optional<Pace> Parse(std::string_view text, std::string& error)
{
    return PaceText::Parse(
        "pace.txt", std::span(reinterpret_cast<const std::uint8_t*>(text.data()), text.size()),
        error);
}

TEST(Pace, GivesTheHeightOfEachTickAndTheLastOnePastTheEnd)
{
    const Pace pace = PaceOf({0, 0, 1, 3, 2});
    struct Case {
        std::uint64_t tick;
        std::int32_t height;
    };
    const Case cases[] = {{0, 0}, {1, 0}, {2, 1}, {3, 3}, {4, 2}, {5, 2}, {UINT64_MAX, 2}};
    for (const Case& c : cases) {
        EXPECT_EQ(pace.HeightAt(c.tick), c.height) << "tick " << c.tick;
    }
    EXPECT_EQ(pace.Ticks(), 5u);

    const Pace empty;
    EXPECT_EQ(empty.Ticks(), 0u);
    EXPECT_EQ(empty.HeightAt(0), 0);
    EXPECT_EQ(empty.HeightAt(99), 0);
}

TEST(Pace, KeepsNoHeightOutOfRangeAndNoTickPastTheBound)
{
    Pace pace;
    EXPECT_FALSE(pace.Add(Pace::kMaxHeight + 1));
    EXPECT_FALSE(pace.Add(Pace::kMinHeight - 1));
    EXPECT_EQ(pace.Ticks(), 0u);
    EXPECT_TRUE(pace.Add(Pace::kMinHeight));
    for (std::uint64_t tick = 1; tick < Pace::kMaxTicks; ++tick) {
        pace.Add(static_cast<std::int32_t>(tick % 7));
    }
    ASSERT_EQ(pace.Ticks(), Pace::kMaxTicks);
    EXPECT_FALSE(pace.Add(5)) << "a full pace takes no more";
    EXPECT_EQ(pace.Ticks(), Pace::kMaxTicks);
    EXPECT_EQ(pace.HeightAt(Pace::kMaxTicks + 10), pace.HeightAt(Pace::kMaxTicks - 1));
}

TEST(PaceText, WritesOnlyTheChangesAndReadsBackTheSamePace)
{
    const Pace pace = PaceOf({0, 0, 0, 1, 1, 2, -1, -1});
    const std::string text = PaceText::Format(pace);
    EXPECT_EQ(text, "kipkip-pace 1\n0 0\n3 1\n5 2\n6 -1\nend 8\n");

    const Pace extremes = PaceOf({Pace::kMaxHeight, Pace::kMinHeight, 0});
    const Pace longest = [] {
        Pace p;
        for (std::uint64_t tick = 0; tick < Pace::kMaxTicks; ++tick) {
            p.Add(tick % 2 == 0 ? Pace::kMinHeight : Pace::kMaxHeight);
        }
        return p;
    }();
    for (const Pace& original : {pace, extremes, Pace{}, PaceOf({7}), longest}) {
        const std::string formatted = PaceText::Format(original);
        EXPECT_LE(formatted.size(), PaceText::kMaxSize) << "every pace fits the bound";
        std::string error;
        const std::optional<Pace> back = Parse(formatted, error);
        ASSERT_TRUE(back) << error;
        EXPECT_EQ(*back, original) << formatted.substr(0, 80);
    }
}

TEST(PaceText, ReadsCrLfAndBlanksBetweenWords)
{
    std::string error;
    const std::optional<Pace> pace = Parse("kipkip-pace 1\r\n0\t4\r\n  2  5 \r\nend 3", error);
    ASSERT_TRUE(pace) << error;
    EXPECT_EQ(*pace, PaceOf({4, 4, 5}));
}

TEST(PaceText, ABadFileIsRefusedWithItsLineAndWhatIsWrong)
{
    struct Case {
        std::string text;
        std::string error;  // what follows "pace.txt: "
    };
    const std::string head = "kipkip-pace 1\n";
    const Case cases[] = {
        {"", "empty: not a pace file"},
        {"kipkip-pace 2\nend 0\n", "line 1: not a pace file: the first line must be"},
        {"kipkip-records 1\n", "line 1: not a pace file"},
        {"kipkip-pace\n", "line 1: not a pace file"},
        {"kipkip-pace 1 x\nend 0\n", "line 1: not a pace file"},
        {head, "cut short: the \"end\" line is missing"},
        {head + "0 0\n5 1\n", "cut short: the \"end\" line is missing"},
        {head + "0 0\nend 1\n\n", "line 4: nothing may follow the \"end\" line"},
        {head + "end 0\nend 0\n", "line 3: nothing may follow the \"end\" line"},
        {head + "0 0\n\nend 1\n", "line 3: a line holds a tick and a height"},
        {head + "0 0 0\nend 1\n", "line 2: a line holds a tick and a height"},
        {head + "# note\nend 0\n", "line 2: the tick takes a whole number"},
        {head + "5 1\nend 9\n", "line 2: the first height is the one at tick 0"},
        {head + "0 1\n4 2\n4 3\nend 9\n", "line 4: the ticks must rise from line to line"},
        {head + "0 1\n4 2\n3 3\nend 9\n", "line 4: the ticks must rise from line to line"},
        {head + "0 1\n4 1\nend 9\n", "line 3: the height is the same as on the line before"},
        {head + "0 1\n4 2\nend 4\n", "line 4: the game ends before the last height given"},
        {head + "0 1\nend 0\n", "line 3: the game ends before the last height given"},
        {head + "end 3\n", "line 2: a game of 3 ticks needs its height at tick 0"},
        {head + "-1 0\nend 1\n", "line 2: the tick takes a whole number from 0 to 359999"},
        {head + "360000 0\nend 1\n", "line 2: the tick takes a whole number from 0 to 359999"},
        {head + "0x1 0\nend 1\n", "line 2: the tick takes a whole number"},
        {head + "0 10000000\nend 1\n", "line 2: the height takes a whole number from -9999999"},
        {head + "0 -10000000\nend 1\n", "line 2: the height takes a whole number"},
        {head + "0 1.5\nend 1\n", "line 2: the height takes a whole number"},
        {head + "0 0\nend 360001\n", "line 3: the number of ticks takes a whole number from 0"},
        {head + "0 0\nend -1\n", "line 3: the number of ticks takes a whole number"},
        {head + "0 0\nend 99999999999999999999999\n", "line 3: the number of ticks takes"},
        {head + "0 0\nend " + std::string(40, '9') + "\n", "line 3: the line is longer than 32"},
        {head + "0 0\nend 1" + std::string(40, ' ') + "\n", "line 3: the line is longer than 32"},
    };
    for (const Case& c : cases) {
        std::string error;
        const std::optional<Pace> pace = Parse(c.text, error);
        EXPECT_FALSE(pace) << c.text;
        EXPECT_TRUE(error.starts_with("pace.txt: " + c.error)) << c.text << "\n" << error;
    }
}

TEST(PaceText, AFileOverTheSizeBoundIsRefusedBeforeItIsRead)
{
    const std::string text = "kipkip-pace 1\n0 0\nend 1\n" + std::string(PaceText::kMaxSize, '\n');
    std::string error;
    EXPECT_FALSE(Parse(text, error));
    EXPECT_EQ(error,
              "pace.txt: too long: larger than " + std::to_string(PaceText::kMaxSize) + " bytes");
}

TEST(PaceFile, SavesThroughATemporaryFileAndLoadsTheSamePace)
{
    test::TempDir dir;
    const std::string path = (dir.Path() / "0001.pace").string();
    const Pace pace = PaceOf({0, 1, 1, 2});
    EXPECT_EQ(PaceFile::Save(path, pace), std::nullopt);
    EXPECT_EQ(test::Contents(path), PaceText::Format(pace));
    std::string error;
    const std::optional<Pace> loaded = PaceFile::Load(path, error);
    ASSERT_TRUE(loaded) << error;
    EXPECT_EQ(*loaded, pace);

    // A second save replaces the file whole and leaves nothing else beside it.
    EXPECT_EQ(PaceFile::Save(path, PaceOf({3})), std::nullopt);
    EXPECT_EQ(test::Contents(path), "kipkip-pace 1\n0 3\nend 1\n");
    EXPECT_EQ(std::distance(fs::directory_iterator(dir.Path()), fs::directory_iterator()), 1);
}

TEST(PaceFile, AFileThatCannotBeUsedGivesNoPaceAndSaysWhy)
{
    test::TempDir dir;
    struct Case {
        std::string path;
        std::string error;  // what follows the path
    };
    const std::string damaged = dir.Write("damaged.pace", "kipkip-pace 1\n0 0\n");
    const std::string huge =
        dir.Write("huge.pace", "kipkip-pace 1\n" + std::string(PaceText::kMaxSize + 5, '\n'));
    fs::create_directory(dir.Path() / "folder.pace");
    const Case cases[] = {
        {(dir.Path() / "missing.pace").string(), ": there is no such file"},
        {damaged, ": cut short"},
        {huge, ": too long"},
        {(dir.Path() / "folder.pace").string(), ": cannot be read"},
    };
    for (const Case& c : cases) {
        std::string error;
        EXPECT_FALSE(PaceFile::Load(c.path, error)) << c.path;
        EXPECT_TRUE(error.starts_with(c.path + c.error)) << error;
    }
}

TEST(PaceFile, AFailedSaveSaysWhyAndLeavesTheOldFile)
{
    test::TempDir dir;
    const std::string path = dir.Write("keep.pace", "kipkip-pace 1\n0 9\nend 1\n");
    const std::string unreachable = (dir.Path() / "missing" / "new.pace").string();
    const std::optional<std::string> why = PaceFile::Save(unreachable, PaceOf({1}));
    ASSERT_TRUE(why);
    EXPECT_TRUE(why->starts_with("the pace could not be saved to " + unreachable + ": ")) << *why;
    EXPECT_FALSE(fs::exists(unreachable));

    // A temporary name taken by a folder makes the write fail before the rename.
    fs::create_directory(path + ".new");
    EXPECT_TRUE(PaceFile::Save(path, PaceOf({1})));
    EXPECT_EQ(test::Contents(path), "kipkip-pace 1\n0 9\nend 1\n");
}

}  // namespace
}  // namespace kipkip
