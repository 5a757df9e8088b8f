#include "replay/inputscript.h"

#include <algorithm>
#include <charconv>
#include <iterator>
#include <utility>

#include "platform/asciicase.h"
#include "platform/files.h"
#include "platform/keynames.h"
#include "platform/padnames.h"
#include "platform/textlines.h"

namespace kipkip {
namespace {

// A token as it may be shown in a message: bytes outside printable ASCII as \xNN, and cut
// short when long.
std::string Quoted(std::string_view token)
{
    constexpr std::size_t kShown = 40;
    static constexpr char kHex[] = "0123456789abcdef";
    std::string quoted = "\"";
    for (std::size_t i = 0; i < token.size() && i < kShown; ++i) {
        auto byte = static_cast<unsigned char>(token[i]);
        if (byte >= 0x20 && byte < 0x7F && byte != '"' && byte != '\\') {
            quoted += static_cast<char>(byte);
        } else {
            quoted += "\\x";
            quoted += kHex[byte >> 4];
            quoted += kHex[byte & 0xF];
        }
    }
    if (token.size() > kShown) {
        quoted += "...";
    }
    return quoted + "\"";
}

// A script writes "_" for the spaces of SDL's key names ("left_shift").
std::string SpacedName(std::string name)
{
    std::replace(name.begin(), name.end(), '_', ' ');
    return name;
}

struct PadDirection {
    std::string_view name;
    int x;
    int y;
};

// The directions come in opposite pairs, each next to its opposite (index ^ 1).
constexpr PadDirection kPadDirections[] = {
    {"pad.up", 0, -100},
    {"pad.down", 0, 100},
    {"pad.left", -100, 0},
    {"pad.right", 100, 0},
};

constexpr std::string_view kPadPrefix = "pad.";

// The names of the first scripts, from when a pad had three buttons: they are the buttons that
// kept those indexes. Read, never written.
constexpr std::pair<std::string_view, PadButton> kOldButtonNames[] = {
    {"pad.1", PadButton::South},
    {"pad.2", PadButton::East},
    {"pad.3", PadButton::West},
};

// The button a script's "pad.<name>" names, old names included.
std::optional<PadButton> ScriptButton(std::string_view lower)
{
    for (const auto& [name, button] : kOldButtonNames) {
        if (lower == name) {
            return button;
        }
    }
    return PadButtonFromName(lower.substr(kPadPrefix.size()));
}

class LineReader {
public:
    LineReader(std::vector<InputScript::Step>& steps, bool& usesPad)
        : steps_(steps), usesPad_(usesPad)
    {}

    // Reads one line into a step; the error says what is wrong, without the line number.
    bool Read(std::string_view line, std::string& error)
    {
        if (line.size() > InputScript::kMaxLineLength) {
            error = "longer than " + std::to_string(InputScript::kMaxLineLength) + " bytes";
            return false;
        }
        line = line.substr(0, line.find('#'));
        std::vector<std::string_view> words = Words(line, 3);
        if (words.empty()) {
            return true;
        }
        InputScript::Step step;
        if (!ReadTick(words[0], step.tick, error)) {
            return false;
        }
        if (words.size() < 2) {
            error = "no keys after tick " + std::to_string(step.tick) + " (\"none\" for none)";
            return false;
        }
        if (words.size() > 2) {
            error = "unexpected " + Quoted(words[2]) + " after the keys (join keys with \"+\")";
            return false;
        }
        if (!ReadKeys(words[1], step.held, error)) {
            return false;
        }
        if (steps_.size() == InputScript::kMaxSteps) {
            error = "more than " + std::to_string(InputScript::kMaxSteps) + " instructions";
            return false;
        }
        steps_.push_back(step);
        return true;
    }

private:
    bool ReadTick(std::string_view word, std::uint32_t& tick, std::string& error)
    {
        bool digits =
            std::all_of(word.begin(), word.end(), [](char c) { return c >= '0' && c <= '9'; });
        if (!digits) {
            error = Quoted(word) + " is not a tick number";
            return false;
        }
        auto [end, result] = std::from_chars(word.data(), word.data() + word.size(), tick);
        if (result != std::errc() || end != word.data() + word.size()) {
            error = "tick " + Quoted(word) + " is too large";
            return false;
        }
        if (tick == 0) {
            error = "tick 0: ticks count from 1";
            return false;
        }
        if (!steps_.empty() && tick <= steps_.back().tick) {
            error = "tick " + std::to_string(tick) + " does not come after tick " +
                    std::to_string(steps_.back().tick);
            return false;
        }
        return true;
    }

    bool ReadKeys(std::string_view word, InputScript::Held& held, std::string& error)
    {
        std::vector<std::string_view> names;
        std::size_t start = 0;
        while (true) {
            std::size_t plus = word.find('+', start);
            std::string_view name = word.substr(start, plus - start);
            if (name.empty()) {
                error = "empty key name in " + Quoted(word);
                return false;
            }
            if (names.size() == InputScript::kMaxKeysPerLine) {
                error = "more than " + std::to_string(InputScript::kMaxKeysPerLine) + " keys";
                return false;
            }
            names.push_back(name);
            if (plus == std::string_view::npos) {
                break;
            }
            start = plus + 1;
        }

        if (names.size() == 1 && AsciiLower(names[0]) == "none") {
            return true;
        }
        bool padUsed[std::size(kPadDirections)] = {};
        for (std::string_view name : names) {
            std::string lower = AsciiLower(name);
            if (lower == "none") {
                error = "\"none\" cannot be held with other keys";
                return false;
            }
            if (lower.starts_with(kPadPrefix)) {
                if (!ReadPadSignal(name, lower, held.pad, padUsed, error)) {
                    return false;
                }
                continue;
            }
            std::uint8_t code = InputScript::KeyCode(name);
            if (code == 0) {
                error = "unknown key " + Quoted(name);
                return false;
            }
            held.keys.set(code);
        }
        return true;
    }

    bool ReadPadSignal(std::string_view name, std::string_view lower, JoystickReading& pad,
                       bool* used, std::string& error)
    {
        for (std::size_t i = 0; i < std::size(kPadDirections); ++i) {
            const PadDirection& direction = kPadDirections[i];
            if (lower != direction.name) {
                continue;
            }
            // The stick cannot lean both ways on one axis; its partner is the neighbour in
            // the table (up/down, left/right).
            if (used[i ^ 1]) {
                error = Quoted(kPadDirections[i ^ 1].name) + " and " + Quoted(direction.name) +
                        " cannot be held together";
                return false;
            }
            used[i] = true;
            usesPad_ = true;
            if (direction.x != 0) {
                pad.x = direction.x;
            } else {
                pad.y = direction.y;
            }
            return true;
        }
        if (std::optional<PadButton> button = ScriptButton(lower)) {
            usesPad_ = true;
            pad.Button(*button) = true;
            return true;
        }
        error = "unknown controller signal " + Quoted(name);
        return false;
    }

    std::vector<InputScript::Step>& steps_;
    bool& usesPad_;
};

}  // namespace

std::uint8_t InputScript::KeyCode(std::string_view name)
{
    return KeyCodeFromName(SpacedName(std::string(name)));
}

std::string InputScript::KeyName(std::uint8_t code)
{
    std::string name = AsciiLower(KeyNameOfCode(code));
    // A name with these cannot be written in a script: "+" joins keys, "#" starts a comment
    // and "_" stands for a space.
    if (name.find_first_of("+#_") != std::string::npos) {
        return {};
    }
    std::replace(name.begin(), name.end(), ' ', '_');
    return name;
}

std::string InputScript::Format(const Held& held)
{
    std::string words;
    auto add = [&words](std::string_view word) {
        if (!words.empty()) {
            words += '+';
        }
        words += word;
    };
    for (int code = 0; code < 256; ++code) {
        if (held.keys.test(static_cast<std::size_t>(code))) {
            std::string name = KeyName(static_cast<std::uint8_t>(code));
            if (!name.empty()) {
                add(name);
            }
        }
    }
    for (const PadDirection& direction : kPadDirections) {
        if (held.pad.x * direction.x > 0 || held.pad.y * direction.y > 0) {
            add(direction.name);
        }
    }
    for (std::size_t i = 0; i < held.pad.buttons.size(); ++i) {
        if (held.pad.buttons[i]) {
            add(std::string(kPadPrefix) + std::string(PadButtonName(static_cast<PadButton>(i))));
        }
    }
    return words.empty() ? "none" : words;
}

InputScriptResult InputScript::Parse(std::string_view name, std::span<const std::uint8_t> text)
{
    InputScript script;
    LineReader reader(script.steps_, script.usesPad_);
    std::string error;
    std::size_t lineNumber = 0;
    const bool read =
        ForEachLine(std::string_view(reinterpret_cast<const char*>(text.data()), text.size()),
                    [&](std::size_t number, std::string_view line) {
                        lineNumber = number;
                        return reader.Read(line, error);
                    });
    if (!read) {
        return {std::nullopt,
                std::string(name) + ": line " + std::to_string(lineNumber) + ": " + error};
    }
    return {std::move(script), {}};
}

InputScriptResult InputScript::Load(std::string_view path)
{
    auto bytes = ReadWholeFile(path);
    if (!bytes) {
        return {std::nullopt, std::string(path) + ": cannot be read"};
    }
    return Parse(path, *bytes);
}

const InputScript::Held& InputScript::HeldAt(std::uint32_t tick) const
{
    static const Held kNothing;
    auto after = std::upper_bound(steps_.begin(), steps_.end(), tick,
                                  [](std::uint32_t t, const Step& step) { return t < step.tick; });
    if (after == steps_.begin()) {
        return kNothing;
    }
    return std::prev(after)->held;
}

}  // namespace kipkip
