// menu/menucontrols.h
// What the keys and the controller held in one loop tick mean to the menu. The menu answers the
// player's own bindings and fixed keys alike (the cursor keys, Return, Escape; the controller's
// D-pad and stick, south, east and Start), so no binding can lock a player out of it. Choosing
// and going back act once a press; a direction held acts at once, then again and again after a
// short delay. A key still held from before the menu opened acts only once it has been released
// and pressed again.
#pragma once

#include <array>
#include <bitset>
#include <cstdint>
#include <vector>

#include "device/inputstate.h"
#include "menu/menu.h"
#include "menu/menusettings.h"
#include "platform/ports.h"

namespace kipkip {

class MenuControls {
public:
    // A direction held this many loop ticks starts repeating, once every kRepeatEvery ticks.
    static constexpr int kRepeatDelay = 20;
    static constexpr int kRepeatEvery = 5;
    // How far the stick must lean to count as a direction (of 100).
    static constexpr int kStickLean = 50;

    // What one loop tick brings.
    struct Tick {
        bool open = false;  // Escape or Start pressed: what opens the menu
        std::vector<MenuCommand> commands;
        std::vector<std::uint8_t> keysPressed;  // every key that went down in this tick
        std::vector<PadButton> padButtonsPressed;
    };

    // `bindings`: the player's, which the menu answers besides its fixed keys.
    Tick Read(const std::bitset<256>& keys, const JoystickReading& pad, const Bindings& bindings);
    // Whatever is held now is left alone until it is released: the keys of the game do not act
    // in the menu that just opened over it, nor does a key just bound act as its new signal.
    void IgnoreHeld();

private:
    enum Signal { kUp, kDown, kLeft, kRight, kChoose, kBack, kEscape, kStart, kSignalCount };

    static std::array<bool, kSignalCount> Held(const std::bitset<256>& keys,
                                               const JoystickReading& pad,
                                               const Bindings& bindings);
    // Whether the signal acts in this tick, given how long it has been held.
    bool Acts(Signal signal, bool held);
    // The keys and the controller without what is ignored; what has been let go stops being
    // ignored.
    std::bitset<256> Heeded(const std::bitset<256>& keys);
    JoystickReading Heeded(const JoystickReading& pad);

    std::array<int, kSignalCount> heldTicks_{};
    std::bitset<256> lastKeys_;
    JoystickReading lastPad_;
    std::bitset<256> ignoredKeys_;
    JoystickReading ignoredPad_;  // a lean of the stick, and buttons, held when ignored
};

}  // namespace kipkip
