// device/padbinding.h
// Which of the controller's buttons are the game's Button1, Button2 and Button3, in that order.
// Start is never one of them: it opens the menu.
#pragma once

#include <algorithm>
#include <array>

#include "platform/ports.h"

namespace kipkip {

using PadBinding = std::array<PadButton, 3>;

// South jumps, as on most games for these pads; east and west are the second and third.
inline constexpr PadBinding kDefaultPadBinding = {PadButton::South, PadButton::East,
                                                  PadButton::West};

// Whether a game button may be on `button`: every one but Start.
constexpr bool IsGameButton(PadButton button)
{
    return button != PadButton::Start;
}

constexpr bool IsGameBinding(const PadBinding& binding)
{
    return std::all_of(binding.begin(), binding.end(), IsGameButton);
}

}  // namespace kipkip
