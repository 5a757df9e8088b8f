// app/keymap.h
// The keys of the seven signals, from the key names of the settings and the command line. A name
// is looked up in the keyboard's layout; one that no key carries leaves its signal on the default
// key, and is told.
#pragma once

#include <array>
#include <string>
#include <vector>

#include "device/inputstate.h"

namespace kipkip {

struct KeyMap {
    InputState keys;
    std::vector<std::string> complaints;  // one for each name no key carries
};

KeyMap ResolveKeys(const std::array<std::string, 7>& names, const InputState& defaults);

}  // namespace kipkip
