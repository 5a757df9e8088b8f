// records/recordsfolder.h
// The recordings of the records, in records/ beside the records file: one recording a record,
// named by number ("0001.rec"), and beside it the pace of its game ("0001.pace"), the height
// after each of its ticks. Both go when their record leaves the table.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "records/recordstable.h"

namespace kipkip {

class RecordsFolder {
public:
    static constexpr std::string_view kRecordingExtension = ".rec";
    static constexpr std::string_view kPaceExtension = ".pace";
    // Numbers tried for a new recording's name.
    static constexpr int kMaxNumber = 9999;

    // The path of `name` in the folder of `dataDir` (empty: the current directory).
    static std::string PathOf(std::string_view dataDir, std::string_view name);
    // The pace's file name beside a recording's: its name with the pace's extension in place of
    // the recording's.
    static std::string PaceName(std::string_view recording);
    // A recording name that no record of the table uses and no file in the folder has, or
    // nothing when every number is taken.
    static std::optional<std::string> FreeName(std::string_view dataDir, const RecordsTable& table);
    // Writes `text` as the file `name` of the folder, making the folder when it is missing;
    // nothing when written, else why not.
    static std::optional<std::string> Write(std::string_view dataDir, std::string_view name,
                                            std::string_view text);
    // Removes a record's recording and pace; files already gone are no fault.
    static void Remove(std::string_view dataDir, const Record& record);
};

}  // namespace kipkip
