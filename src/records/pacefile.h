// records/pacefile.h
// A pace kept in a file of its own (PaceText), beside a record's recording in records/. A file
// that is missing, damaged or too long gives no pace and says why; the game then shows no
// marker and plays on. Saving replaces the file whole through a temporary file beside it.
#pragma once

#include <optional>
#include <string>

#include "records/pace.h"

namespace kipkip {

class PaceFile {
public:
    // The pace in the file, or nothing with why in `error` ("<path>: line 3: ...").
    static std::optional<Pace> Load(const std::string& path, std::string& error);
    // Nothing when saved, else why not; the old file is then as it was.
    static std::optional<std::string> Save(const std::string& path, const Pace& pace);
};

}  // namespace kipkip
