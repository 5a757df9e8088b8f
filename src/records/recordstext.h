// records/recordstext.h
// The records file's text (docs/formats.md): the line "kipkip-records 1", then the initials
// last entered and one line per record, best first, each field separated by a space:
//
//     kipkip-records 1
//     # record initials score best level coins date speed recording
//     initials ABC
//     record ABC 1234 1301 12 40 2026-12-11 100 0001.rec
//     record KIP 980 1002 9 31 2026-12-10 70 0002.rec
//
// Blank lines and lines starting with '#' are skipped. Records are kept best first whatever
// their order in the file (of equal scores the earlier line stays ahead). Everything is
// bounded before it is read: the file's size, each line's length, the number of records and
// each field's range; an error names the line. A file of a later version is not read at all,
// so that the game leaves it as it is.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

#include "records/recordstable.h"

namespace kipkip {

struct RecordsTextResult {
    enum class Status : std::uint8_t {
        kRead,     // `table` holds the file's records
        kDamaged,  // `error` says where and why; `table` is empty
        kNewer,    // a later version's file; `error` says which; `table` is empty
    };
    Status status = Status::kRead;
    RecordsTable table;
    std::string error;  // "<name>: line <n>: <what>" or "<name>: <what>"
};

class RecordsText {
public:
    static constexpr std::string_view kMagic = "kipkip-records";
    static constexpr int kVersion = 1;
    // Ten records of the longest fields take under 1 KiB; a file this large is not ours.
    static constexpr std::size_t kMaxSize = 64 * 1024;
    // The longest record line is about 110 characters; comments may be longer, not much.
    static constexpr std::size_t kMaxLineLength = 256;

    // `name` only serves the messages.
    static RecordsTextResult Parse(std::string_view name, std::span<const std::uint8_t> text);
    // The file's text for `table`; Parse reads it back as the same table.
    static std::string Format(const RecordsTable& table);
};

}  // namespace kipkip
