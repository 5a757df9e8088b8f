#include "replay/tickinput.h"

namespace kipkip {
namespace {

// A stick past this is a direction to the game; a replay holds it fully pushed.
constexpr int kDeadZone = 50;

}  // namespace

void TickInput::Sample()
{
    if (sampled_) {
        return;
    }
    sampled_ = true;
    keys_.fill(0);
    keyboardResult_ = device_.ReadKeyboard(keys_);
    if (keyboardResult_ != ReadResult::Ok) {
        keys_.fill(0);
    }
    hasJoystick_ = device_.HasJoystick();
    pad_ = JoystickReading{};
    polled_ = hasJoystick_ && device_.PollJoystick(pad_);
}

InputPort::ReadResult TickInput::ReadKeyboard(KeyboardState& keys)
{
    Sample();
    keys = keys_;
    return keyboardResult_;
}

bool TickInput::HasJoystick()
{
    Sample();
    return hasJoystick_;
}

bool TickInput::PollJoystick(JoystickReading& reading)
{
    Sample();
    reading = pad_;
    return polled_;
}

InputScript::Held TickInput::Held()
{
    Sample();
    InputScript::Held held;
    for (std::size_t code = 0; code < keys_.size(); ++code) {
        held.keys.set(code, keys_[code] != 0);
    }
    if (polled_) {
        held.pad.x = pad_.x < -kDeadZone ? -100 : (pad_.x > kDeadZone ? 100 : 0);
        held.pad.y = pad_.y < -kDeadZone ? -100 : (pad_.y > kDeadZone ? 100 : 0);
        held.pad.buttons = pad_.buttons;
    }
    return held;
}

}  // namespace kipkip
