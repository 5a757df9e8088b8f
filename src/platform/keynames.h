// platform/keynames.h
// The names of the keys the game reads, as SDL names their places ("Left", "Space", "Keypad 8",
// "Left Shift"), with their DirectInput key codes (see KeyboardState in ports.h). Input scripts,
// recordings and the settings' key bindings are written with these names; keeping them here
// lets a headless run read them without SDL. A key SDL gives no name (the ISO key left of Z,
// the Japanese keys) has none here either.
#pragma once

#include <cstdint>
#include <string_view>

namespace kipkip {

// The key code of the key called `name`, in any ASCII letter case; 0 for a name that is no
// key of the game's.
std::uint8_t KeyCodeFromName(std::string_view name);

// The name of the key with `code` as SDL writes it; empty for a code without a name.
std::string_view KeyNameOfCode(std::uint8_t code);

}  // namespace kipkip
