// The records screen driven as the player would: the cursor kept on the records, a record
// chosen to watch taken once, the screen left, and an empty table that offers nothing.
#include "menu/recordsboard.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

namespace kipkip {
namespace {

using Sound = std::optional<MenuSound>;
constexpr Sound kMove = MenuSound::Move;
constexpr Sound kChoose = MenuSound::Choose;
constexpr Sound kNone = std::nullopt;

RecordsTable TableOf(int count)
{
    RecordsTable table;
    for (int i = 0; i < count; ++i) {
        const char letter = static_cast<char>('A' + i);
        const std::int32_t score = 1000 - 10 * i;
        EXPECT_FALSE(table.Insert(
            {std::string(3, letter), score, score, 2, 5, "2026-12-11", 100, "game.rec"}));
    }
    return table;
}

TEST(RecordsBoard, TheCursorStaysOnTheRecordsAndAChoiceIsTakenOnce)
{
    using C = MenuCommand;
    const struct {
        int records;
        std::vector<MenuCommand> commands;
        std::size_t cursor;
        std::optional<std::size_t> chosen;
        bool closed;
        std::vector<Sound> sounds;
    } cases[] = {
        {3, {}, 0, std::nullopt, false, {}},
        {3, {C::Down, C::Down}, 2, std::nullopt, false, {kMove, kMove}},
        // The cursor stops at the first and the last record.
        {3, {C::Up}, 0, std::nullopt, false, {kNone}},
        {3,
         {C::Down, C::Down, C::Down, C::Down},
         2,
         std::nullopt,
         false,
         {kMove, kMove, kNone, kNone}},
        {10,
         std::vector<MenuCommand>(12, C::Down),
         9,
         std::nullopt,
         false,
         {kMove, kMove, kMove, kMove, kMove, kMove, kMove, kMove, kMove, kNone, kNone, kNone}},
        {1, {C::Down, C::Up}, 0, std::nullopt, false, {kNone, kNone}},
        // Left and right mean nothing here.
        {3, {C::Right, C::Left}, 0, std::nullopt, false, {kNone, kNone}},
        // Choosing asks for the record under the cursor; the last choice counts.
        {3, {C::Down, C::Choose}, 1, 1, false, {kMove, kChoose}},
        {10,
         {C::Down, C::Choose, C::Down, C::Down, C::Choose},
         3,
         3,
         false,
         {kMove, kChoose, kMove, kMove, kChoose}},
        // Back or close leave; nothing acts afterwards.
        {3, {C::Back}, 0, std::nullopt, true, {kChoose}},
        {3, {C::Close, C::Down, C::Choose}, 0, std::nullopt, true, {kChoose, kNone, kNone}},
        // An empty table: nothing to move to or choose, but it can be left.
        {0, {C::Down, C::Up, C::Choose}, 0, std::nullopt, false, {kNone, kNone, kNone}},
        {0, {C::Choose, C::Back}, 0, std::nullopt, true, {kNone, kChoose}},
    };
    for (const auto& c : cases) {
        std::string commands;
        for (MenuCommand command : c.commands) {
            commands += std::to_string(static_cast<int>(command)) + " ";
        }
        SCOPED_TRACE(std::to_string(c.records) + " records, commands " + commands);
        RecordsBoard board(TableOf(c.records));
        std::vector<Sound> sounds;
        for (MenuCommand command : c.commands) {
            sounds.push_back(board.Handle(command));
        }
        EXPECT_EQ(board.Cursor(), c.cursor);
        EXPECT_EQ(board.Closed(), c.closed);
        EXPECT_EQ(sounds, c.sounds);
        EXPECT_EQ(board.TakeChosen(), c.chosen);
        EXPECT_EQ(board.TakeChosen(), std::nullopt) << "a choice is taken once";
        EXPECT_EQ(board.Table().Records().size(), static_cast<std::size_t>(c.records));
    }
}

TEST(RecordsBoard, ANoticeStaysUntilTheNextMoveOrChoice)
{
    RecordsBoard board(TableOf(3));
    board.Handle(MenuCommand::Choose);
    ASSERT_EQ(board.TakeChosen(), 0u);
    board.SetNotice("RECORDING MISSING");
    EXPECT_EQ(board.Notice(), "RECORDING MISSING");
    board.Handle(MenuCommand::Up);  // refused at the top: nothing happened to clear it
    board.Handle(MenuCommand::Left);
    EXPECT_EQ(board.Notice(), "RECORDING MISSING");
    board.Handle(MenuCommand::Down);
    EXPECT_EQ(board.Notice(), "");

    board.SetNotice("RECORDING MISSING");
    board.Handle(MenuCommand::Choose);
    EXPECT_EQ(board.Notice(), "");
    EXPECT_EQ(board.TakeChosen(), 1u);
}

}  // namespace
}  // namespace kipkip
