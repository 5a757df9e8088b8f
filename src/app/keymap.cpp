#include "app/keymap.h"

#include "platform/sdl/scancodes.h"

namespace kipkip {

KeyMap ResolveKeys(const std::array<std::string, 7>& names, const InputState& defaults)
{
    KeyMap map{defaults, {}};
    for (std::size_t i = 0; i < kInputSignals.size(); ++i) {
        if (std::uint8_t code = DikFromKeyName(names[i]); code != 0) {
            map.keys.*kInputSignals[i] = code;
        } else {
            map.complaints.push_back("no key of this keyboard is called \"" + names[i] +
                                     "\"; the default key stays");
        }
    }
    return map;
}

}  // namespace kipkip
