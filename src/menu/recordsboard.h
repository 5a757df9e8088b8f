// menu/recordsboard.h
// The records screen: the table, a cursor on one of its records, and what the player asks of
// it. Up and down move the cursor (stopping at the first and last record); choosing asks to
// watch the record under the cursor, which the host takes with TakeChosen; going back or closing
// leaves the screen. A notice line tells the player what became of a choice (a recording that
// is missing, say); the next move or choice clears it. An empty table has no cursor and nothing
// to choose.
#pragma once

#include <cstddef>
#include <optional>
#include <string>

#include "menu/menu.h"
#include "records/recordstable.h"

namespace kipkip {

class RecordsBoard {
public:
    explicit RecordsBoard(RecordsTable table) : table_(std::move(table)) {}

    // The sound the command calls for: a move when the cursor moved, a choice for a record
    // chosen or the screen left; nothing when the command changed nothing.
    std::optional<MenuSound> Handle(MenuCommand command);

    // The index of the record chosen since the last call, or nothing.
    std::optional<std::size_t> TakeChosen();
    bool Closed() const { return closed_; }

    const RecordsTable& Table() const { return table_; }
    std::size_t Cursor() const { return cursor_; }
    const std::string& Notice() const { return notice_; }
    void SetNotice(std::string notice) { notice_ = std::move(notice); }

private:
    std::optional<MenuSound> Move(int step);

    RecordsTable table_;
    std::size_t cursor_ = 0;
    std::optional<std::size_t> chosen_;
    std::string notice_;
    bool closed_ = false;
};

}  // namespace kipkip
