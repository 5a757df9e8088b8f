#include "device/kivinput.h"

namespace kipkip {

TKivInput::TKivInput(InputPort& port) : port_(port) {}

TKivInput::~TKivInput()
{
    ReleaseAll();
}

bool TKivInput::Init()
{
    ReleaseAll();
    portOpen_ = true;
    if (!port_.Open()) {
        ReleaseAll();
        return false;
    }
    initialised_ = true;
    return true;
}

bool TKivInput::GetKeys(InputState& keys) const
{
    if (!initialised_) {
        return false;
    }
    keys = keys_;
    return true;
}

bool TKivInput::SetKeys(const InputState& keys)
{
    if (!initialised_) {
        return false;
    }
    keys_ = keys;
    return true;
}

bool TKivInput::SetPadButtons(const PadBinding& buttons)
{
    if (!IsGameBinding(buttons)) {
        return false;
    }
    padButtons_ = buttons;
    return true;
}

bool TKivInput::GetState(InputState& state)
{
    // Cleared first, so a caller that ignores the result reads nothing held.
    state = InputState{};
    if (!initialised_) {
        return false;
    }

    if (port_.HasJoystick()) {
        // The reading starts centred with no button down; a port that lost its input leaves
        // it so, and the stick counts as centred for this frame.
        JoystickReading pad;
        if (!port_.PollJoystick(pad)) {
            return false;
        }
        // Exactly ±kDeadZone is still centred.
        state.Up = pad.y < -kDeadZone ? 1 : 0;
        state.Down = pad.y > kDeadZone ? 1 : 0;
        state.Left = pad.x < -kDeadZone ? 1 : 0;
        state.Right = pad.x > kDeadZone ? 1 : 0;
        state.Button1 = pad.Button(padButtons_[0]) ? 1 : 0;
        state.Button2 = pad.Button(padButtons_[1]) ? 1 : 0;
        state.Button3 = pad.Button(padButtons_[2]) ? 1 : 0;
    }

    KeyboardState keyboard;
    GetKeyboardState(keyboard);
    for (auto signal : kInputSignals) {
        // A held key gives its own byte (high bit set); a key that is up never clears a
        // signal the controller set.
        std::uint8_t key = keyboard[keys_.*signal];
        if (key != 0) {
            state.*signal = key;
        }
    }
    return true;
}

bool TKivInput::GetKeyboardState(KeyboardState& keys)
{
    keys.fill(0);
    if (!initialised_) {
        return false;
    }
    // The port reads into a buffer of its own: after a lost or failed read its bytes mean
    // nothing, and the caller's stay clear.
    KeyboardState read{};
    if (port_.ReadKeyboard(read) == InputPort::ReadResult::Ok) {
        keys = read;
    }
    return true;
}

void TKivInput::ReleaseAll()
{
    if (portOpen_) {
        port_.Close();
        portOpen_ = false;
    }
    initialised_ = false;
}

}  // namespace kipkip
