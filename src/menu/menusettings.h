// menu/menusettings.h
// What the player can change in the menu: the sound, the window, the game speed, the pace
// marker and the controls. The menu changes a copy and hands the whole of it back after each
// change.
#pragma once

#include <array>

#include "device/inputstate.h"
#include "device/padbinding.h"

namespace kipkip {

// The keys of the seven signals and the controller buttons of the game's three buttons.
struct Bindings {
    InputState keys;
    PadBinding padButtons = kDefaultPadBinding;

    bool operator==(const Bindings&) const = default;
};

struct MenuSettings {
    static constexpr int kMaxScale = 8;
    static constexpr int kVolumeStep = 5;
    static constexpr int kSlowestSpeed = 50;
    static constexpr int kSpeedStep = 10;

    int musicVolume = 100;  // 0..100
    int effectsVolume = 100;
    int scale = 0;  // 0: fit the desktop, else 1..kMaxScale
    bool fullScreen = false;
    bool vsync = false;
    bool autopause = true;
    int speed = 100;  // percent, kSlowestSpeed..100
    // While climbing, a mark at the height the best record had reached at the same moment.
    bool paceMarker = true;
    Bindings bindings;

    bool operator==(const MenuSettings&) const = default;
};

}  // namespace kipkip
