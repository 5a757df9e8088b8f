// menu/initialsentry.h
// The three initials of a new record, entered a letter at a time: up and down turn the letter
// under the cursor through A to Z and round again, left and right move the cursor between the
// three letters (stopping at either end), and choosing on any letter confirms all three. A
// player who walks away is not kept waiting for ever: after kTimeout loop ticks without a
// command the initials shown are confirmed. Going back or closing does nothing: the record is
// kept whatever happens, the initials only name it. The entry also holds the record's place and
// score, for its view.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "menu/menu.h"

namespace kipkip {

class InitialsEntry {
public:
    static constexpr int kTimeout = 1500;  // loop ticks: half a minute at 50 a second
    static constexpr std::string_view kFirstOffer = "AAA";

    // `offered`: the initials last entered, shown first; "AAA" when they are not three letters A
    // to Z (none yet). `place`: 0 for the best. `score`: the height the game ended at.
    InitialsEntry(std::string_view offered, std::size_t place, std::int32_t score);

    // The sound the command calls for: a move for a letter or the cursor changed, a choice for
    // the initials confirmed; nothing when the command changed nothing (or the entry is done).
    std::optional<MenuSound> Handle(MenuCommand command);
    // Once a loop tick, after the tick's commands.
    void Tick();

    bool Done() const { return done_; }
    // Always three letters A to Z.
    const std::string& Initials() const { return initials_; }
    std::size_t Cursor() const { return cursor_; }
    std::size_t Place() const { return place_; }
    std::int32_t Score() const { return score_; }

private:
    void Turn(int step);
    std::optional<MenuSound> Move(int step);

    std::string initials_;
    std::size_t cursor_ = 0;
    std::size_t place_;
    std::int32_t score_;
    int idleTicks_ = 0;
    bool done_ = false;
};

}  // namespace kipkip
