// replay/inputscript.h
// The scripted input of a headless run. One instruction a line:
//
//     <tick> <keys>      from tick <tick> on, exactly these keys are held (until the next line)
//
// Ticks count frame steps from 1 and rise strictly from line to line; before the first line
// nothing is held. <keys> is "none" or names joined by "+", without spaces: keyboard keys by
// SDL's names for them in any letter case ("left", "space", "return", "b", "z", "escape",
// "f12", "keypad 8"...), with "_" standing for a space ("left_shift", "keypad_8"), and the
// controller signals pad.up, pad.down, pad.left, pad.right (the stick at ±100 on that axis)
// and the buttons by SDL's names for them: pad.a, pad.b, pad.x, pad.y, pad.leftshoulder,
// pad.rightshoulder, pad.start (platform/padnames.h). pad.1, pad.2 and pad.3, the names of the
// first scripts, still read as pad.a, pad.b and pad.x. A key whose SDL name holds "+" or "#"
// cannot be written, nor one SDL gives no name (the ISO key left of Z, the Japanese keys). "#"
// starts a comment to the end of the line; blank lines are allowed; lines end at LF, CR LF or CR.
//
//     # walk left, jump, then let go
//     1   left
//     30  left+space
//     32  none
//     50  pad.right+pad.a
//
// A line that cannot be read stops the whole script: the error names the line and the fault
// (`input.txt: line 3: unknown key "spcae"`), and the run does not start.
#pragma once

#include <bitset>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "platform/ports.h"

namespace kipkip {

struct InputScriptResult;

class InputScript {
public:
    // A line is a tick and a few key names; a longer one is a mistake, not a script.
    static constexpr std::size_t kMaxLineLength = 4096;
    // More keys at once than the fingers and pads of two players.
    static constexpr std::size_t kMaxKeysPerLine = 32;
    // A change on every tick for five and a half hours; each step takes about 50 bytes.
    static constexpr std::size_t kMaxSteps = 1'000'000;

    // What is held from one tick on.
    struct Held {
        std::bitset<256> keys;  // by DirectInput key code
        JoystickReading pad;
    };
    struct Step {
        std::uint32_t tick = 0;
        Held held;
    };

    // `name` only serves the error messages.
    static InputScriptResult Parse(std::string_view name, std::span<const std::uint8_t> text);
    // Reads and parses the file; the error names the file as given.
    static InputScriptResult Load(std::string_view path);

    // The script's words for what is held ("left+space+pad.a", or "none"), so that what a run
    // saw can be written down and read back the same. A key whose name cannot be written (SDL
    // has none for it, or it holds "+" or "#") is left out.
    static std::string Format(const Held& held);
    // The script's name for a key code ("left", "left_shift"), or empty when it has none.
    static std::string KeyName(std::uint8_t code);
    // The key code of a key name as a script writes it, or 0 when it names no key with one.
    static std::uint8_t KeyCode(std::string_view name);

    // What is held at `tick`: the last step at or before it, or nothing.
    const Held& HeldAt(std::uint32_t tick) const;
    // Whether any line holds a controller signal.
    bool UsesPad() const { return usesPad_; }
    const std::vector<Step>& Steps() const { return steps_; }

private:
    std::vector<Step> steps_;  // by rising tick
    bool usesPad_ = false;
};

struct InputScriptResult {
    std::optional<InputScript> script;  // when every line could be read
    std::string error;                  // otherwise: "<name>: line <n>: <what is wrong>"
};

}  // namespace kipkip
