#include "app/gameinput.h"

#include <cstddef>

namespace kipkip {
namespace {

std::array<std::size_t, 7> KeySlots(const InputState& keys)
{
    std::array<std::size_t, 7> slots{};
    for (std::size_t i = 0; i < slots.size(); ++i) {
        slots[i] = keys.*kInputSignals[i];
    }
    return slots;
}

std::array<std::size_t, 3> ButtonSlots(const std::array<PadButton, 3>& buttons)
{
    std::array<std::size_t, 3> slots{};
    for (std::size_t i = 0; i < slots.size(); ++i) {
        slots[i] = static_cast<std::size_t>(buttons[i]);
    }
    return slots;
}

// What is held at each slot of the bindings now moves to the same signal's slot at the start;
// every other cell stays as it is.
template <typename Cell, std::size_t Size, std::size_t Signals>
void MoveToStart(std::array<Cell, Size>& held, const std::array<std::size_t, Signals>& now,
                 const std::array<std::size_t, Signals>& start)
{
    if (now == start) {
        return;
    }
    const std::array<Cell, Size> read = held;
    for (std::size_t i = 0; i < Signals; ++i) {
        held[now[i]] = Cell{};
        held[start[i]] = Cell{};
    }
    for (std::size_t i = 0; i < Signals; ++i) {
        if (read[now[i]]) {
            held[start[i]] = read[now[i]];
        }
    }
}

// A hidden cell shows nothing while it is held and stops being hidden once it is let go.
template <typename Cell, std::size_t Size, typename Hidden>
void Hide(std::array<Cell, Size>& held, Hidden& hidden)
{
    for (std::size_t i = 0; i < Size; ++i) {
        if (!held[i]) {
            hidden[i] = false;
        } else if (hidden[i]) {
            held[i] = Cell{};
        }
    }
}

}  // namespace

void GameInput::HideHeld()
{
    KeyboardState keys{};
    if (device_.ReadKeyboard(keys) == ReadResult::Ok) {
        for (std::size_t i = 0; i < keys.size(); ++i) {
            hiddenKeys_[i] = keys[i] != 0;
        }
    }
    JoystickReading pad;
    if (device_.HasJoystick() && device_.PollJoystick(pad)) {
        hiddenButtons_ = pad.buttons;
    }
}

InputPort::ReadResult GameInput::ReadKeyboard(KeyboardState& keys)
{
    const ReadResult result = device_.ReadKeyboard(keys);
    if (result == ReadResult::Ok) {
        Hide(keys, hiddenKeys_);
        MoveToStart(keys, KeySlots(now_.keys), KeySlots(start_.keys));
    }
    return result;
}

bool GameInput::PollJoystick(JoystickReading& reading)
{
    if (!device_.PollJoystick(reading)) {
        return false;
    }
    Hide(reading.buttons, hiddenButtons_);
    MoveToStart(reading.buttons, ButtonSlots(now_.padButtons), ButtonSlots(start_.padButtons));
    return true;
}

}  // namespace kipkip
