// platform/padnames.h
// The names of the controller's buttons as SDL's game-controller mappings write them ("a", "b",
// "x", "y", "leftshoulder", "rightshoulder", "start"). Input scripts ("pad.a"), recordings (the
// "pad" line) and the settings (pad1 to pad3) name buttons with these; keeping them here lets a
// headless run read them without SDL.
#pragma once

#include <optional>
#include <string_view>

#include "platform/ports.h"

namespace kipkip {

// The button called `name`, in any ASCII letter case; nothing for a name that is no button.
std::optional<PadButton> PadButtonFromName(std::string_view name);

// The button's name, in lower case.
std::string_view PadButtonName(PadButton button);

}  // namespace kipkip
