// platform/sdl/scancodes.h
// SDL's key positions (scancodes, USB HID usages) as the DirectInput key codes the game reads:
// the PC set-1 make code, with 0x80 added for keys sent with the E0 prefix. Both name physical
// positions, so bindings stay the same whatever the keyboard layout.
#pragma once

#include <SDL_scancode.h>

#include <cstdint>
#include <string>
#include <string_view>

namespace kipkip {

// The key code of a scancode; 0 for a key that has none (and for values outside SDL's range).
std::uint8_t DikFromScancode(SDL_Scancode scancode);

// The key code of the key called `name`, in any letter case and with "_" for a space: the key
// that types it in the keyboard's layout ("z" on an AZERTY keyboard is the key a QWERTY one
// calls "w"), else the key at the place so named ("left shift", "keypad 8"; see keynames.h).
// Without a window the layout is unknown and the place decides. 0 for a name that is no key of the
// game's.
std::uint8_t DikFromKeyName(std::string_view name);

// The name of the key with `code` in lower case, as the settings write it: what the key types in
// the keyboard's layout when that name leads back to it, else the name of its place; empty for a
// code without a name.
std::string KeyNameFromDik(std::uint8_t code);

}  // namespace kipkip
