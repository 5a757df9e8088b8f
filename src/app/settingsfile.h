// app/settingsfile.h
// The player's settings, kipkip.conf: one "key = value" a line, blank lines allowed, "#" at the
// start of a line or after a blank starting a comment. The file is read at start when present
// (SettingsEdit writes the settings changed in the game back into it); `kipkip --print-config`
// prints the settings in force in this same format, to start a file from.
//
//     # ZQSD on an AZERTY keyboard, and quieter music
//     up = z
//     left = q
//     down = s
//     right = d
//     music-volume = 60
//
// Keys name what they type in the keyboard's layout ("z", "space", "left shift"), else the
// place SDL names (see kipkip --print-config for every key); pad1 to pad3 name the controller's
// buttons of the game's three by SDL's names (a, b, x, y, leftshoulder, rightshoulder). A line that
// cannot be used is reported with its line number and skipped; the other lines still count.
// Relative paths are taken from the settings file's folder.
#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "app/commandline.h"

namespace kipkip {

class SettingsFile {
public:
    // A settings file is a page of text; anything much longer is not one.
    static constexpr std::size_t kMaxSize = 64 * 1024;
    static constexpr std::size_t kMaxLineLength = 1024;

    struct Result {
        Options options;
        std::vector<std::string> errors;  // "<name>: line <n>: <what>", in line order
    };

    // Applies each good line of `text` over `base`. `name` only serves the messages; relative
    // paths are taken from `folder`.
    static Result Parse(std::string_view name, std::span<const std::uint8_t> text, Options base,
                        const std::filesystem::path& folder);
    // A setting's key and its value as `--print-config` shows them.
    struct Value {
        std::string key;
        std::string value;
        bool operator==(const Value&) const = default;
    };
    // Where a "key = value" line keeps its key and its value, both trimmed, as views into the
    // line; nothing for a line the reader does not take apart (no "=", longer than
    // kMaxLineLength).
    struct LineParts {
        std::string_view key;
        std::string_view value;  // when empty, it sits right after the "="
    };

    // Reads the file at `path`. A file that is not there leaves `base` as it is, and is an
    // error only when `required` (the player named it).
    static Result Load(const std::string& path, Options base, bool required);
    // The settings of `options`, as a settings file that gives them back.
    static std::string Format(const Options& options);
    // Every setting of `options`, in the order Format writes them.
    static std::vector<Value> Values(const Options& options);
    // One line of Format, without its line ending.
    static std::string Line(std::string_view key, std::string_view value);
    static std::optional<LineParts> SplitLine(std::string_view line);
    // The setting's own spelling of a key the reader takes (letter case does not matter).
    static std::optional<std::string_view> KnownKey(std::string_view key);

    // Each key the file knows, in the order --print-config writes them, with what its value is.
    struct KeyHelp {
        std::string_view key;
        std::string_view help;
    };
    static std::vector<KeyHelp> Keys();
    // The file `--config` names, else DefaultPath: the one read at start.
    static std::string PathInForce(const Options& options, const char* configHome,
                                   const char* home);
    // $XDG_CONFIG_HOME/kipkip/kipkip.conf, else $HOME/.config/kipkip/kipkip.conf; empty when
    // there is neither (either may be null).
    static std::string DefaultPath(const char* configHome, const char* home);
};

}  // namespace kipkip
