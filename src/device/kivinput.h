// device/kivinput.h
// The input device: boils the keyboard and the first game controller down to the seven
// signals of an InputState, and hands out the raw 256-byte keyboard state by key code. It
// works through an InputPort (SDL in the game, a script in headless runs, a fake in tests).
// The controller's stick or D-pad gives the directions, and the three buttons of the pad
// binding give the game's three buttons; its other buttons are not the game's.
//
// Controllers are looked for on every read rather than once at Init, so a pad plugged in
// while the game runs is used from the next frame on.
#pragma once

#include "device/inputstate.h"
#include "device/padbinding.h"
#include "platform/ports.h"

namespace kipkip {

class TKivInput {
public:
    // Cursor keys for the directions, Z X C for the buttons (DirectInput key codes).
    static constexpr InputState kDefaultKeys{0xC8, 0xD0, 0xCB, 0xCD, 0x2C, 0x2D, 0x2E};
    // A stick reading beyond ±kDeadZone (on the port's -100..100 scale) is a direction.
    static constexpr int kDeadZone = 50;

    // The port must outlive the device: the destructor closes it.
    explicit TKivInput(InputPort& port);
    ~TKivInput();
    TKivInput(const TKivInput&) = delete;
    TKivInput& operator=(const TKivInput&) = delete;

    // Opens the port; on failure everything is released again and the result is false. A
    // second Init closes the port and opens it again; the key map stays as it is.
    bool Init();
    // The key map; false (nothing copied) before Init.
    bool GetKeys(InputState& keys) const;
    // Replaces the key map; false (nothing changed) before Init.
    bool SetKeys(const InputState& keys);
    // Replaces the controller's buttons of the game's three; false (nothing changed) when
    // Start is among them. Init leaves the binding as it is.
    bool SetPadButtons(const PadBinding& buttons);
    // The seven signals now. All clear and false before Init, or when an attached controller
    // cannot be polled (the keyboard is then not read either).
    bool GetState(InputState& state);
    // Every key by key code, 0x80 when held. All clear and false before Init; a read the port
    // lost or failed shows no key held and still returns true.
    bool GetKeyboardState(KeyboardState& keys);
    // Closes the port and forgets the Init.
    void ReleaseAll();

    bool Initialised() const { return initialised_; }

private:
    InputPort& port_;
    InputState keys_ = kDefaultKeys;
    PadBinding padButtons_ = kDefaultPadBinding;
    bool initialised_ = false;
    // An Open was attempted and not yet followed by a Close: a failed Open may have opened
    // part of the port, so it is closed too.
    bool portOpen_ = false;
};

}  // namespace kipkip
