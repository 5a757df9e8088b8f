#include "replay/scriptedinput.h"

namespace kipkip {

InputPort::ReadResult ScriptedInput::ReadKeyboard(KeyboardState& keys)
{
    const InputScript::Held& held = script_.HeldAt(tick_);
    for (std::size_t code = 0; code < keys.size(); ++code) {
        keys[code] = held.keys.test(code) ? 0x80 : 0;
    }
    return ReadResult::Ok;
}

bool ScriptedInput::PollJoystick(JoystickReading& reading)
{
    reading = script_.HeldAt(tick_).pad;
    return true;
}

}  // namespace kipkip
