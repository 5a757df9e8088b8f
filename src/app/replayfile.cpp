#include "app/replayfile.h"

#include <algorithm>
#include <charconv>

#include "platform/files.h"

namespace kipkip {
namespace {

constexpr std::int32_t kMaxHiScore = 456975;  // the largest the high-score file can hold

// The longest line of the replay's own is "keys" and its seven names; one word more shows a
// line too long.
constexpr std::size_t kMaxWords = 9;

std::vector<std::string_view> Words(std::string_view line)
{
    std::vector<std::string_view> words;
    std::size_t i = 0;
    while (i < line.size() && words.size() < kMaxWords) {
        while (i < line.size() && (line[i] == ' ' || line[i] == '\t')) {
            ++i;
        }
        std::size_t start = i;
        while (i < line.size() && line[i] != ' ' && line[i] != '\t') {
            ++i;
        }
        if (i > start) {
            words.push_back(line.substr(start, i - start));
        }
    }
    return words;
}

template <typename T>
bool Number(std::string_view word, T low, T high, T& out)
{
    T value{};
    auto [end, error] = std::from_chars(word.data(), word.data() + word.size(), value);
    if (error != std::errc() || end != word.data() + word.size() || value < low || value > high) {
        return false;
    }
    out = value;
    return true;
}

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

}  // namespace

ReplayFileResult ReplayFile::Parse(std::string_view name, std::span<const std::uint8_t> text)
{
    ReplayFileResult result;
    ReplayFile replay;
    std::string_view all(reinterpret_cast<const char*>(text.data()), text.size());
    // The lines of the replay's own header and seeds are blanked, so that the script's errors
    // still name the right line.
    std::string script;
    bool sawMagic = false;
    std::size_t lineNumber = 0;
    auto fail = [&](const std::string& what) {
        result.error = std::string(name) + ": line " + std::to_string(lineNumber) + ": " + what;
        return result;
    };
    std::size_t start = 0;
    while (start <= all.size()) {
        std::size_t end = all.find_first_of("\r\n", start);
        std::string_view line =
            all.substr(start, end == std::string_view::npos ? all.npos : end - start);
        ++lineNumber;
        std::string_view content = line.substr(0, line.find('#'));
        std::vector<std::string_view> words = Words(content);
        if (!sawMagic && !words.empty()) {
            if (content.find(kMagic) == std::string_view::npos || words.size() != 2) {
                return fail("not a replay: the first line must be \"" + std::string(kMagic) + "\"");
            }
            sawMagic = true;
            script += '\n';
        } else if (!words.empty() && words[0] == "hiscore") {
            if (words.size() != 2 || !Number(words[1], 0, kMaxHiScore, replay.hiScore)) {
                return fail("\"hiscore\" takes one number from 0 to 456975");
            }
            script += '\n';
        } else if (!words.empty() && words[0] == "keys") {
            InputState keys;
            if (!ReadKeys(words, keys)) {
                return fail("\"keys\" takes seven key names: up, down, left, right, button 1 to 3");
            }
            replay.keys = keys;
            script += '\n';
        } else if (!words.empty() && words[0] == "seed") {
            std::uint32_t tick = 0;
            std::uint32_t seed = 0;
            if (words.size() != 3 || !Number<std::uint32_t>(words[1], 1, UINT32_MAX, tick) ||
                !Number<std::uint32_t>(words[2], 0, UINT32_MAX, seed)) {
                return fail("\"seed\" takes a tick from 1 and a value");
            }
            if (!replay.seeds.empty() && tick <= replay.seeds.back().first) {
                return fail("seeds must come in rising ticks");
            }
            if (replay.seeds.size() == kMaxSeeds) {
                return fail("too many seeds");
            }
            replay.seeds.emplace_back(tick, seed);
            script += '\n';
        } else {
            script.append(line);
            script += '\n';
        }
        if (end == std::string_view::npos) {
            break;
        }
        start = end + ((all[end] == '\r' && end + 1 < all.size() && all[end + 1] == '\n') ? 2 : 1);
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

ReplayFileResult ReplayFile::Load(std::string_view path)
{
    auto bytes = ReadWholeFile(path);
    if (!bytes) {
        return ReplayFileResult{std::nullopt, std::string(path) + ": cannot be read"};
    }
    return Parse(path, *bytes);
}

}  // namespace kipkip
