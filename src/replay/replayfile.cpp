#include "replay/replayfile.h"

#include <algorithm>
#include <optional>

#include "platform/files.h"
#include "platform/padnames.h"
#include "platform/textlines.h"
#include "platform/wholenumber.h"

namespace kipkip {
namespace {

constexpr std::int32_t kMaxHiScore = 456975;  // the largest the high-score file can hold

// The longest line of the replay's own is "keys" and its seven names; one word more shows a
// line too long.
constexpr std::size_t kMaxWords = 9;

bool ReadKeys(const std::vector<std::string_view>& words, InputState& keys)
{
    if (words.size() != 1 + kInputSignals.size()) {
        return false;
    }
    for (std::size_t i = 0; i < kInputSignals.size(); ++i) {
        keys.*kInputSignals[i] = InputScript::KeyCode(words[i + 1]);
        if (keys.*kInputSignals[i] == 0 && words[i + 1] != "none") {
            return false;
        }
    }
    return true;
}

bool ReadPad(const std::vector<std::string_view>& words, PadBinding& pad)
{
    if (words.size() != 1 + pad.size()) {
        return false;
    }
    for (std::size_t i = 0; i < pad.size(); ++i) {
        std::optional<PadButton> button = PadButtonFromName(words[i + 1]);
        if (!button || !IsGameButton(*button)) {
            return false;
        }
        pad[i] = *button;
    }
    return true;
}

}  // namespace

ReplayFileResult ReplayFile::Parse(std::string_view name, std::span<const std::uint8_t> text)
{
    ReplayFileResult result;
    ReplayFile replay;
    // The lines of the replay's own header and seeds are blanked, so that the script's errors
    // still name the right line.
    std::string script;
    bool sawMagic = false;
    std::size_t lineNumber = 0;
    std::string error;
    auto read = [&](std::string_view line) -> std::optional<std::string> {
        std::string_view content = line.substr(0, line.find('#'));
        std::vector<std::string_view> words = Words(content, kMaxWords);
        if (!sawMagic && !words.empty()) {
            if (content.find(kMagic) == std::string_view::npos || words.size() != 2) {
                return "not a replay: the first line must be \"" + std::string(kMagic) + "\"";
            }
            sawMagic = true;
        } else if (!words.empty() && words[0] == "hiscore") {
            if (words.size() != 2 ||
                ParseWholeNumber("hiscore", words[1], 0, kMaxHiScore, replay.hiScore)) {
                return "\"hiscore\" takes one number from 0 to 456975";
            }
        } else if (!words.empty() && words[0] == "keys") {
            InputState keys;
            if (!ReadKeys(words, keys)) {
                return "\"keys\" takes seven key names: up, down, left, right, button 1 to 3";
            }
            replay.keys = keys;
        } else if (!words.empty() && words[0] == "pad") {
            PadBinding pad;
            if (!ReadPad(words, pad)) {
                return "\"pad\" takes three controller buttons for button 1 to 3: a, b, x, y, "
                       "leftshoulder or rightshoulder";
            }
            replay.pad = pad;
        } else if (!words.empty() && words[0] == "seed") {
            std::uint32_t tick = 0;
            std::uint32_t seed = 0;
            if (words.size() != 3 ||
                ParseWholeNumber<std::uint32_t>("seed", words[1], 1, UINT32_MAX, tick) ||
                ParseWholeNumber<std::uint32_t>("seed", words[2], 0, UINT32_MAX, seed)) {
                return "\"seed\" takes a tick from 1 and a value";
            }
            if (!replay.seeds.empty() && tick <= replay.seeds.back().first) {
                return "seeds must come in rising ticks";
            }
            if (replay.seeds.size() == kMaxSeeds) {
                return "too many seeds";
            }
            replay.seeds.emplace_back(tick, seed);
        } else {
            script.append(line);
        }
        script += '\n';
        return std::nullopt;
    };
    const bool complete =
        ForEachLine(std::string_view(reinterpret_cast<const char*>(text.data()), text.size()),
                    [&](std::size_t number, std::string_view line) {
                        lineNumber = number;
                        std::optional<std::string> fault = read(line);
                        error = fault.value_or("");
                        return !fault;
                    });
    if (!complete) {
        result.error = std::string(name) + ": line " + std::to_string(lineNumber) + ": " + error;
        return result;
    }
    if (!sawMagic) {
        result.error = std::string(name) + ": not a replay: it is empty";
        return result;
    }
    InputScriptResult parsed = InputScript::Parse(
        name, std::span(reinterpret_cast<const std::uint8_t*>(script.data()), script.size()));
    if (!parsed.script) {
        result.error = parsed.error;
        return result;
    }
    replay.script = std::move(*parsed.script);
    result.replay = std::move(replay);
    return result;
}

std::uint32_t ReplayFile::LastTick() const
{
    std::uint32_t last = script.Steps().empty() ? 0 : script.Steps().back().tick;
    return seeds.empty() ? last : std::max(last, seeds.back().first);
}

std::string ReplayFile::KeysLine(const InputState& keys)
{
    std::string line = "keys";
    for (std::uint8_t InputState::*signal : kInputSignals) {
        std::string name = InputScript::KeyName(keys.*signal);
        line += ' ';
        line += name.empty() ? "none" : name;
    }
    return line;
}

std::string ReplayFile::PadLine(const PadBinding& pad)
{
    std::string line = "pad";
    for (PadButton button : pad) {
        line += ' ';
        line += PadButtonName(button);
    }
    return line;
}

ReplayFileResult ReplayFile::Load(std::string_view path)
{
    auto bytes = ReadWholeFile(path);
    if (!bytes) {
        return ReplayFileResult{std::nullopt, std::string(path) + ": cannot be read"};
    }
    return Parse(path, *bytes);
}

}  // namespace kipkip
