// app/settingsedit.h
// Saves the settings changed in the game into the player's settings file and touches nothing
// else. The line that gives a changed setting (its last line, the one that wins) gets the new
// value in place, keeping the player's spelling of the key, the spacing, a comment after the
// value and the line's own ending; a setting the file does not have yet is added at the end in
// the file's line endings. Every other byte stays: comments, blank lines, keys this version
// does not know, bad lines, and the earlier lines of a key given twice.
//
// A change that would not read back as given (a value with a line break or " #" in it, a line
// too long for the reader) is refused with the reason, and the file is left as it was; so is
// a file too large for the reader to take. The file is replaced whole through a temporary one
// beside it, so a failed save never leaves half a file.
#pragma once

#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "app/commandline.h"
#include "app/settingsfile.h"

namespace kipkip {

class SettingsEdit {
public:
    // A setting's key and its new value, as `--print-config` shows them (SettingsFile::Values).
    using Change = SettingsFile::Value;

    struct Result {
        std::string text;
        std::string error;  // "<name>: <what>" when the changes cannot be made; text is then empty
    };

    // The settings whose value differs between `before` and `after`, in Format's order.
    static std::vector<Change> Changes(const Options& before, const Options& after);
    // `text` (the file's content, empty for a new file) with `changes` made to it. `name` only
    // serves the messages. A relative path is kept as written: the reader takes it from the
    // settings file's folder.
    static Result Edit(std::string_view name, std::string_view text,
                       std::span<const Change> changes);
    // Makes `changes` in the file at `path`, creating the file and its folder when missing.
    // Nothing when saved, else the reason for the player ("the settings could not be saved to
    // <path>: <why>"); the file is then as it was.
    static std::optional<std::string> Save(const std::string& path,
                                           std::span<const Change> changes);
};

}  // namespace kipkip
