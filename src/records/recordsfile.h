// records/recordsfile.h
// The records file in the data directory, kipkip-records.txt beside kipkip.dat. Loading never
// loses a byte the player had: a damaged or too long file is renamed aside (to
// "kipkip-records.txt.damaged-<n>", never over an existing file) and the game starts an empty
// table; a file of a later version, or one that cannot be read, stays where it is and is not
// written in this run. Saving replaces the file whole through a temporary file beside it.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "records/recordstable.h"
#include "records/recordstext.h"

namespace kipkip {

class RecordsFile {
public:
    static constexpr std::string_view kName = "kipkip-records.txt";
    // The recordings of the records, beside the file.
    static constexpr std::string_view kRecordingsFolder = "records";
    static constexpr std::string_view kSetAsideSuffix = ".damaged-";
    // Names tried for a damaged file before giving up (and leaving it where it is).
    static constexpr int kMaxSetAside = 1000;

    struct Loaded {
        RecordsTable table;
        // False when the file must be left as it is in this run: a later version's, or one
        // that could not be read or set aside.
        bool writable = true;
        // What the player is told (in the window and on standard error); empty when the file
        // was read or is not there yet.
        std::string message;
    };

    // The bytes of a file (at most limit + 1 of them, enough to tell a file too long), or
    // nothing when it cannot be read; `missing` says whether it is absent.
    static std::optional<std::vector<std::uint8_t>> ReadBounded(
        const std::string& path, bool& missing, std::size_t limit = RecordsText::kMaxSize);
    // The path of the records file in `dataDir` (empty: the current directory).
    static std::string PathIn(std::string_view dataDir);

    static Loaded Load(std::string_view dataDir);
    // Nothing when saved, else why not; the old file is then as it was.
    static std::optional<std::string> Save(std::string_view dataDir, const RecordsTable& table);
};

}  // namespace kipkip
