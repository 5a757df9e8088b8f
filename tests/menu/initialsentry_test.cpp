// The initials of a new record entered as the player would: letters turned round the alphabet,
// the cursor kept on the three letters, confirmed by a choice or by waiting.
#include "menu/initialsentry.h"

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

TEST(InitialsEntry, CommandsTurnTheLetterUnderTheCursorAndMoveItBetweenTheThree)
{
    using C = MenuCommand;
    const struct {
        std::string offered;
        std::vector<MenuCommand> commands;
        std::string initials;
        std::size_t cursor;
        bool done;
        std::vector<Sound> sounds;
    } cases[] = {
        // What is offered first: the last initials, else AAA.
        {"KIP", {}, "KIP", 0, false, {}},
        {"", {}, "AAA", 0, false, {}},
        {"KiP", {}, "AAA", 0, false, {}},
        {"KI", {}, "AAA", 0, false, {}},
        {"KIPS", {}, "AAA", 0, false, {}},
        {"K1P", {}, "AAA", 0, false, {}},
        // Up goes on through the alphabet and Z turns to A; down goes back and A turns to Z.
        {"AAA", {C::Up}, "BAA", 0, false, {kMove}},
        {"AAA", {C::Down}, "ZAA", 0, false, {kMove}},
        {"ZZZ", {C::Up}, "AZZ", 0, false, {kMove}},
        {"MMM", {C::Down, C::Down, C::Up}, "LMM", 0, false, {kMove, kMove, kMove}},
        // Twenty-six turns bring the letter round to itself.
        {"QAA", std::vector<MenuCommand>(26, C::Up), "QAA", 0, false,
         std::vector<Sound>(26, kMove)},
        // Only the letter under the cursor turns.
        {"AAA",
         {C::Right, C::Down, C::Right, C::Up, C::Up},
         "AZC",
         2,
         false,
         {kMove, kMove, kMove, kMove, kMove}},
        {"KIP",
         {C::Right, C::Right, C::Left, C::Up},
         "KJP",
         1,
         false,
         {kMove, kMove, kMove, kMove}},
        // The cursor stops at either end rather than wrapping.
        {"AAA", {C::Left, C::Up}, "BAA", 0, false, {kNone, kMove}},
        {"AAA",
         {C::Right, C::Right, C::Right, C::Right, C::Up},
         "AAB",
         2,
         false,
         {kMove, kMove, kNone, kNone, kMove}},
        // Choosing on any letter confirms all three; nothing changes them afterwards.
        {"KIP", {C::Choose}, "KIP", 0, true, {kChoose}},
        {"AAA",
         {C::Right, C::Right, C::Up, C::Choose, C::Up, C::Left, C::Choose},
         "AAB",
         2,
         true,
         {kMove, kMove, kMove, kChoose, kNone, kNone, kNone}},
        // Going back or closing neither confirms nor changes anything.
        {"KIP", {C::Back, C::Close}, "KIP", 0, false, {kNone, kNone}},
    };
    for (const auto& c : cases) {
        std::string commands;
        for (MenuCommand command : c.commands) {
            commands += std::to_string(static_cast<int>(command)) + " ";
        }
        SCOPED_TRACE("offered \"" + c.offered + "\", commands " + commands);
        InitialsEntry entry(c.offered, 4, 321);
        std::vector<Sound> sounds;
        for (MenuCommand command : c.commands) {
            sounds.push_back(entry.Handle(command));
        }
        EXPECT_EQ(entry.Initials(), c.initials);
        EXPECT_EQ(entry.Cursor(), c.cursor);
        EXPECT_EQ(entry.Done(), c.done);
        EXPECT_EQ(sounds, c.sounds);
        EXPECT_EQ(entry.Place(), 4u);
        EXPECT_EQ(entry.Score(), 321);
    }
}

TEST(InitialsEntry, ConfirmsByItselfAfterTheTimeoutWithoutACommand)
{
    const int kT = InitialsEntry::kTimeout;
    const struct {
        const char* what;
        int ticksBefore;  // before the command, if any
        std::optional<MenuCommand> command;
        int ticksAfter;
        bool done;
        std::string initials;
    } cases[] = {
        {"one tick short", kT - 1, std::nullopt, 0, false, "KIP"},
        {"on the last tick", kT, std::nullopt, 0, true, "KIP"},
        {"long after", 3 * kT, std::nullopt, 0, true, "KIP"},
        // Any command starts the wait again, even one that changes nothing.
        {"a turn restarts the wait", kT - 1, MenuCommand::Up, kT - 1, false, "LIP"},
        {"the full wait after a turn", kT - 1, MenuCommand::Up, kT, true, "LIP"},
        {"a refused move restarts the wait", kT - 1, MenuCommand::Left, kT - 1, false, "KIP"},
        {"going back restarts the wait", kT - 1, MenuCommand::Back, kT - 1, false, "KIP"},
        // Once confirmed by waiting, a late command changes nothing.
        {"a turn too late", kT, MenuCommand::Up, 0, true, "KIP"},
        {"a choice before the timeout", 10, MenuCommand::Choose, 0, true, "KIP"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        InitialsEntry entry("KIP", 0, 10);
        for (int i = 0; i < c.ticksBefore; ++i) {
            entry.Tick();
        }
        if (c.command) {
            entry.Handle(*c.command);
        }
        for (int i = 0; i < c.ticksAfter; ++i) {
            entry.Tick();
        }
        EXPECT_EQ(entry.Done(), c.done);
        EXPECT_EQ(entry.Initials(), c.initials);
    }
}

}  // namespace
}  // namespace kipkip
