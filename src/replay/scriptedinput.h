// replay/scriptedinput.h
// The input port of a headless run: plays an input script tick by tick. The runner sets the
// tick before each frame step; the keyboard and the controller then show what the script
// holds at that tick. The controller is attached for the whole run when the script uses it
// anywhere, and never otherwise.
#pragma once

#include <cstdint>
#include <utility>

#include "platform/ports.h"
#include "replay/inputscript.h"

namespace kipkip {

class ScriptedInput : public InputPort {
public:
    explicit ScriptedInput(InputScript script) : script_(std::move(script)) {}

    // Ticks count frame steps from 1; before the first call the tick is 0 and nothing is held.
    void SetTick(std::uint32_t tick) { tick_ = tick; }

    bool Open() override { return true; }
    void Close() override {}
    ReadResult ReadKeyboard(KeyboardState& keys) override;
    bool HasJoystick() override { return script_.UsesPad(); }
    bool PollJoystick(JoystickReading& reading) override;

private:
    InputScript script_;
    std::uint32_t tick_ = 0;
};

}  // namespace kipkip
