// app/recordslisting.h
// `kipkip --records`: the data directory's records table as text, one line per record, for a
// player at a terminal and for scripts. It only reads: a damaged file is reported and left
// where it is, for the game to set aside when it next starts.
#pragma once

#include <ostream>
#include <string>
#include <string_view>

#include "records/record.h"

namespace kipkip {

class RecordsListing {
public:
    // The table of `dataDir` (empty: the current directory) on `out`, or why it cannot be
    // read on `err`; the exit status (2 when `dataDir` does not exist).
    static int Print(std::string_view dataDir, std::ostream& out, std::ostream& err);
    // One record's line; `place` counts from 1.
    static std::string Line(std::size_t place, const Record& record);
};

}  // namespace kipkip
