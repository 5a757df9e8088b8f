// app/recordskeeper.h
// The records table of a run: read from the data directory when the run starts, and a game that
// enters it kept with its initials, its recording and its pace. A file that could not be used
// is reported once; a table that must not be written in this run (a later version's file, or
// one that could not be set aside) is still shown, and games do not enter it.
#pragma once

#include <optional>
#include <string>

#include "app/gamelog.h"
#include "records/recordstable.h"

namespace kipkip {

class RecordsKeeper {
public:
    // Reads the table from `dataDir` (empty: the current directory, which a run has made its data
    // directory), and the best record's pace. A pace that cannot be read is no fault: the
    // marker has nothing to show.
    explicit RecordsKeeper(std::string dataDir = {});

    const RecordsTable& Table() const { return table_; }
    // What the player must be told about the file, once; empty when it was read or missing.
    const std::string& Message() const { return message_; }

    // Where a game ending with `score` enters the table, or nothing when it does not (or the
    // table cannot be written in this run).
    std::optional<std::size_t> Place(std::int32_t score) const;
    // Enters the game: its recording (`recording`, the run's cut at the game's end) and its pace
    // go to the records folder, the table to its file. Nothing when all was saved, else why not;
    // the record stays in the table for this run either way.
    std::optional<std::string> Keep(const LoggedGame& game, const std::string& initials,
                                    const std::string& recording);
    // The heights by tick of the best record, when it has them.
    const Pace* BestPace() const { return bestPace_ ? &*bestPace_ : nullptr; }

private:
    std::string dataDir_;
    RecordsTable table_;
    bool writable_ = true;
    std::string message_;
    std::optional<Pace> bestPace_;
};

}  // namespace kipkip
