// records/recordstable.h
// The ten best games, best score first, and the initials last entered (offered for the next
// entry). Of two games with the same score the older stays ahead: a new game has to beat a
// record to pass it. The table holds only records whose fields the file can hold.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "records/record.h"

namespace kipkip {

class RecordsTable {
public:
    static constexpr std::size_t kMaxRecords = 10;

    std::span<const Record> Records() const { return records_; }
    bool Empty() const { return records_.empty(); }

    // Where (0 for the best) a game ending with `score` would enter, or nothing when it would
    // not: a full table it does not beat, or a score the file cannot hold.
    std::optional<std::size_t> Place(std::int32_t score) const;
    // Enters `record` at its place. The record then out of the table is returned, so that its
    // recording can be removed: the one pushed off the end of a full table, or `record` itself
    // when it does not enter (or breaks a field's range); nothing when none left.
    std::optional<Record> Insert(Record record);

    // Empty, or three letters A to Z.
    const std::string& LastInitials() const { return lastInitials_; }
    // False (and nothing changes) for initials that are not three letters A to Z.
    bool SetLastInitials(std::string_view initials);

    bool operator==(const RecordsTable&) const = default;

private:
    std::vector<Record> records_;
    std::string lastInitials_;
};

}  // namespace kipkip
