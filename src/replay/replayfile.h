// replay/replayfile.h
// A recording of a run, as `--record` writes it and `--replay` and `--timedemo` read it: an
// input script (the keys held from tick to tick) that starts with the line "kipkip-replay 1",
// then "hiscore <value>" (the high score read at the start) and "keys" with the keys of the
// seven signals it was played with (up, down, left, right, the three buttons; by the script's
// key names) and "pad" with the controller's buttons of the three buttons (by their names in
// platform/padnames.h), and holds a line "seed <tick> <value>" for each game started, in the
// tick it started. A recording without "keys" was played with the game's default keys, and one
// without "pad" with the default pad binding (a b x): it comes from before a pad had more than
// three buttons, and its pad.3 reads as pad.x, the third button's place.
//
//     kipkip-replay 1
//     hiscore 123
//     keys up down left right space b return
//     pad a b x
//     1 none
//     30 space
//     31 none
//     seed 31 1765360000
//     40 left
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "device/inputstate.h"
#include "device/padbinding.h"
#include "replay/inputscript.h"

namespace kipkip {

struct ReplayFileResult;

struct ReplayFile {
    static constexpr std::string_view kMagic = "kipkip-replay 1";
    // One game a second for a whole day is far more than any recording holds.
    static constexpr std::size_t kMaxSeeds = 100'000;

    InputScript script;
    std::int32_t hiScore = 0;
    std::optional<InputState> keys;  // the key map it was played with, when it says
    std::optional<PadBinding> pad;   // the pad binding it was played with, when it says
    std::vector<std::pair<std::uint32_t, std::uint32_t>> seeds;  // tick, seed; ticks rising

    // The last tick the recording speaks of: where a replay of it ends.
    std::uint32_t LastTick() const;

    // `name` only serves the error messages, which name the line.
    static ReplayFileResult Parse(std::string_view name, std::span<const std::uint8_t> text);
    static ReplayFileResult Load(std::string_view path);
    // The "keys" line for a key map; keys the script cannot name are written "none".
    static std::string KeysLine(const InputState& keys);
    // The "pad" line for a pad binding.
    static std::string PadLine(const PadBinding& pad);
};

struct ReplayFileResult {
    std::optional<ReplayFile> replay;
    std::string error;
};

}  // namespace kipkip
