// app/gamespeed.h
// The game speed, an assist for players who need more time to react: 100 % down to 50 % in
// steps of 10. Every tick is still 20 ms of game time, so the game, its traces and its
// recordings are exactly those of full speed; only the window waits longer between ticks, and
// the music keeps its own tempo. Headless runs take no notice of it.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace kipkip {

inline constexpr int kFullSpeed = 100;
inline constexpr int kSlowestSpeed = 50;
inline constexpr int kSpeedStep = 10;

// A speed in percent, "70" or "70%", for the option or setting named `what`.
std::optional<std::string> ParseSpeed(std::string_view what, std::string_view value, int& speed);

}  // namespace kipkip
