#include "app/settingsedit.h"

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <cstring>
#include <filesystem>
#include <map>
#include <system_error>

#include "platform/files.h"
#include "platform/textlines.h"

namespace kipkip {
namespace {

namespace fs = std::filesystem;

// Where a new value goes: a span of the old text that it replaces.
struct Rewrite {
    std::size_t offset;
    std::size_t length;
    std::string value;
};

std::span<const std::uint8_t> Bytes(std::string_view text)
{
    return {reinterpret_cast<const std::uint8_t*>(text.data()), text.size()};
}

// The line ending of the file's first line, so that an added line matches the others.
std::string_view LineEnding(std::string_view text)
{
    const std::size_t end = text.find_first_of("\r\n");
    if (end == std::string_view::npos || text[end] == '\n') {
        return "\n";
    }
    return end + 1 < text.size() && text[end + 1] == '\n' ? "\r\n" : "\r";
}

// Each change once, under the setting's own key, in the order given; a key given again takes
// the later value. Nothing when a key is not a setting.
std::optional<std::vector<SettingsEdit::Change>> Normalized(
    std::span<const SettingsEdit::Change> changes, std::string& unknown)
{
    std::vector<SettingsEdit::Change> wanted;
    for (const SettingsEdit::Change& change : changes) {
        const std::optional<std::string_view> key = SettingsFile::KnownKey(change.key);
        if (!key) {
            unknown = change.key;
            return std::nullopt;
        }
        auto same = std::ranges::find(wanted, *key, &SettingsEdit::Change::key);
        if (same == wanted.end()) {
            wanted.push_back({std::string(*key), change.value});
        } else {
            same->value = change.value;
        }
    }
    return wanted;
}

// The value of each wanted setting's last line in `text`, the one the reader keeps.
std::map<std::string, std::string_view> LastValues(std::string_view text,
                                                   const std::vector<SettingsEdit::Change>& wanted)
{
    std::map<std::string, std::string_view> last;
    ForEachLine(text, [&](std::size_t, std::string_view line) {
        const std::optional<SettingsFile::LineParts> parts = SettingsFile::SplitLine(line);
        const std::optional<std::string_view> key =
            parts ? SettingsFile::KnownKey(parts->key) : std::nullopt;
        if (key && std::ranges::find(wanted, *key, &SettingsEdit::Change::key) != wanted.end()) {
            last[std::string(*key)] = parts->value;
        }
        return true;
    });
    return last;
}

// Where a value goes in the old text. An empty value is written "key =", as Format does.
Rewrite ValueRewrite(std::string_view text, std::string_view old, const std::string& value)
{
    std::size_t offset = std::size_t(old.data() - text.data());
    std::size_t end = offset + old.size();
    if (value.empty()) {
        while (offset > 0 && (text[offset - 1] == ' ' || text[offset - 1] == '\t')) {
            --offset;
        }
        return {offset, end - offset, ""};
    }
    return {offset, end - offset, old.empty() ? " " + value : value};
}

std::string Spliced(std::string_view text, std::vector<Rewrite> rewrites)
{
    std::ranges::sort(rewrites, {}, &Rewrite::offset);
    std::string result;
    std::size_t done = 0;
    for (const Rewrite& rewrite : rewrites) {
        result.append(text.substr(done, rewrite.offset - done));
        result += rewrite.value;
        done = rewrite.offset + rewrite.length;
    }
    result.append(text.substr(done));
    return result;
}

// The first reader message of `edited` that `original` did not have: what an edit broke.
std::optional<std::string> NewError(const SettingsFile::Result& original,
                                    const SettingsFile::Result& edited)
{
    for (const std::string& error : edited.errors) {
        if (std::ranges::find(original.errors, error) == original.errors.end()) {
            return error;
        }
    }
    return std::nullopt;
}

// Why `edited` does not give the wanted values when read, or nothing when it does.
std::optional<std::string> ReadBackFault(std::string_view name, std::string_view original,
                                         std::string_view edited,
                                         const std::vector<SettingsEdit::Change>& wanted)
{
    const SettingsFile::Result before = SettingsFile::Parse(name, Bytes(original), {}, {});
    const SettingsFile::Result after = SettingsFile::Parse(name, Bytes(edited), {}, {});
    const std::vector<SettingsFile::Value> values = SettingsFile::Values(after.options);
    for (const SettingsEdit::Change& change : wanted) {
        auto got = std::ranges::find(values, change.key, &SettingsFile::Value::key);
        if (got->value != change.value) {
            return NewError(before, after)
                .value_or(std::string(name) + ": " + change.key + " = \"" + change.value +
                          "\" would read back as \"" + got->value + "\"");
        }
    }
    return std::nullopt;
}

std::string Failure(const std::string& path, const std::string& why)
{
    return "the settings could not be saved to " + path + ": " + why;
}

}  // namespace

std::vector<SettingsEdit::Change> SettingsEdit::Changes(const Options& before, const Options& after)
{
    const std::vector<SettingsFile::Value> old = SettingsFile::Values(before);
    std::vector<Change> changes;
    for (const SettingsFile::Value& value : SettingsFile::Values(after)) {
        if (std::ranges::find(old, value) == old.end()) {
            changes.push_back(value);
        }
    }
    return changes;
}

SettingsEdit::Result SettingsEdit::Edit(std::string_view name, std::string_view text,
                                        std::span<const Change> changes)
{
    const std::string prefix = std::string(name) + ": ";
    if (text.size() > SettingsFile::kMaxSize) {
        return {{},
                prefix + "larger than " + std::to_string(SettingsFile::kMaxSize) +
                    " bytes, which the game does not read"};
    }
    std::string unknown;
    const std::optional<std::vector<Change>> wanted = Normalized(changes, unknown);
    if (!wanted) {
        return {{}, prefix + "no setting is called \"" + unknown + "\""};
    }
    const std::map<std::string, std::string_view> last = LastValues(text, *wanted);
    std::vector<Rewrite> rewrites;
    std::string added;
    const std::string_view ending = LineEnding(text);
    for (const Change& change : *wanted) {
        auto line = last.find(change.key);
        if (line != last.end()) {
            rewrites.push_back(ValueRewrite(text, line->second, change.value));
        } else {
            added += SettingsFile::Line(change.key, change.value) + std::string(ending);
        }
    }
    std::string result = Spliced(text, std::move(rewrites));
    if (!added.empty() && !result.empty() && result.back() != '\n' && result.back() != '\r') {
        result += ending;
    }
    result += added;
    if (result.size() > SettingsFile::kMaxSize) {
        return {{},
                prefix + "would grow larger than " + std::to_string(SettingsFile::kMaxSize) +
                    " bytes, which the game does not read"};
    }
    if (std::optional<std::string> fault = ReadBackFault(name, text, result, *wanted)) {
        return {{}, *fault};
    }
    return {std::move(result), {}};
}

std::optional<std::string> SettingsEdit::Save(const std::string& path,
                                              std::span<const Change> changes)
{
    if (path.empty()) {
        return "the settings could not be saved: neither XDG_CONFIG_HOME nor HOME is set";
    }
    // A settings file that links elsewhere (kept with the player's other settings) stays a
    // link: the file it names is the one replaced.
    std::error_code error;
    const fs::path file =
        fs::is_symlink(path, error) ? fs::weakly_canonical(path, error) : fs::path(path);
    std::string text;
    if (FileExists(file.string())) {
        errno = 0;
        std::optional<std::vector<std::uint8_t>> bytes = ReadWholeFile(file.string());
        if (!bytes) {
            return Failure(path, std::string("it cannot be read") +
                                     (errno != 0 ? std::string(": ") + std::strerror(errno) : ""));
        }
        text.assign(bytes->begin(), bytes->end());
    }
    const Result edited = Edit(path, text, changes);
    if (!edited.error.empty()) {
        return "the settings could not be saved to " + edited.error;
    }
    if (file.has_parent_path()) {
        fs::create_directories(file.parent_path(), error);
        if (error) {
            return Failure(path, "the folder " + file.parent_path().string() +
                                     " cannot be made: " + error.message());
        }
    }
    if (!WriteWholeFile(file.string(), Bytes(edited.text))) {
        return Failure(path, std::strerror(errno));
    }
    return std::nullopt;
}

}  // namespace kipkip
