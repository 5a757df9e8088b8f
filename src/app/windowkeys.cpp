#include "app/windowkeys.h"

#include <array>
#include <string_view>

#include "platform/sdl/scancodes.h"

namespace kipkip {

bool IsWindowKey(std::uint8_t code)
{
    static constexpr std::array<std::string_view, 5> kNames = {"escape", "p", "m", "f11", "f12"};
    for (std::string_view name : kNames) {
        if (code != 0 && DikFromKeyName(name) == code) {
            return true;
        }
    }
    return false;
}

}  // namespace kipkip
