// app/gameinput.h
// The keys and the controller as the game sees them in a run whose menu can rebind them and can
// close over a held key.
//
// The game keeps the bindings it started with for the whole run, and a recording writes them
// once. So a key the player has since bound to a signal reaches the game as the key that signal
// had at the start (a button likewise): the game, and its recording, see what they would have
// seen had the player pressed the old key, and a replay replays it exactly.
//
// A key or button held when the menu closes stays hidden from the game until it is released:
// closing the menu with the jump key does not jump.
#pragma once

#include <array>
#include <bitset>

#include "menu/menusettings.h"
#include "platform/ports.h"

namespace kipkip {

class GameInput : public InputPort {
public:
    // The device (sampled once a loop tick) outlives this. `start`: the bindings the game runs
    // with.
    GameInput(InputPort& device, const Bindings& start)
        : device_(device), start_(start), now_(start)
    {}

    // The player's bindings from now on.
    void Rebind(const Bindings& now) { now_ = now; }
    // Whatever the device holds now is hidden until it is released.
    void HideHeld();

    bool Open() override { return device_.Open(); }
    void Close() override { device_.Close(); }
    ReadResult ReadKeyboard(KeyboardState& keys) override;
    bool HasJoystick() override { return device_.HasJoystick(); }
    bool PollJoystick(JoystickReading& reading) override;

private:
    InputPort& device_;
    Bindings start_;
    Bindings now_;
    std::bitset<256> hiddenKeys_;
    std::array<bool, kPadButtonCount> hiddenButtons_{};
};

}  // namespace kipkip
