// platform/sdl/scancodes.h
// SDL's key positions (scancodes, USB HID usages) as the DirectInput key codes the game reads:
// the PC set-1 make code, with 0x80 added for keys sent with the E0 prefix. Both name physical
// positions, so bindings stay the same whatever the keyboard layout.
#pragma once

#include <SDL_scancode.h>

#include <cstdint>
#include <optional>
#include <string_view>

namespace kipkip {

// The key code of a scancode; 0 for a key that has none (and for values outside SDL's range).
std::uint8_t DikFromScancode(SDL_Scancode scancode);

// The scancode SDL calls `name`, in any letter case ("Left", "space", "Return", "b"); nothing
// for a name SDL does not know. Needs no SDL_Init.
std::optional<SDL_Scancode> ScancodeFromKeyName(std::string_view name);

}  // namespace kipkip
