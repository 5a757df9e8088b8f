// app/windowkeys.h
// The keys the window keeps for itself, by what they type: Escape opens the menu, P pauses, M
// switches the music, F11 toggles full screen and F12 saves a screenshot. None of them can be a
// key of the game.
#pragma once

#include <cstdint>

namespace kipkip {

bool IsWindowKey(std::uint8_t code);

}  // namespace kipkip
