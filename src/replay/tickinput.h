// replay/tickinput.h
// The input the game reads, taken once per tick: the first read of a tick samples the device
// underneath, and every other read in the same tick gives that sample again. So all that the
// game reads in a tick is one record, which a recording writes down and a replay gives back
// exactly as it was.
#pragma once

#include <cstdint>

#include "platform/ports.h"
#include "replay/inputscript.h"

namespace kipkip {

class TickInput : public InputPort {
public:
    explicit TickInput(InputPort& device) : device_(device) {}

    // A new tick begins: the next read samples the device again.
    void BeginTick() { sampled_ = false; }
    // What the game saw in this tick, as an input script holds it (sampled if not yet).
    InputScript::Held Held();

    bool Open() override { return device_.Open(); }
    void Close() override { device_.Close(); }
    ReadResult ReadKeyboard(KeyboardState& keys) override;
    bool HasJoystick() override;
    bool PollJoystick(JoystickReading& reading) override;

private:
    void Sample();

    InputPort& device_;
    bool sampled_ = false;
    ReadResult keyboardResult_ = ReadResult::Ok;
    KeyboardState keys_{};
    bool hasJoystick_ = false;
    bool polled_ = false;
    JoystickReading pad_;
};

}  // namespace kipkip
