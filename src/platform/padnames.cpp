#include "platform/padnames.h"

#include <array>

#include "platform/asciicase.h"

namespace kipkip {
namespace {

// In the order of PadButton.
constexpr std::array<std::string_view, kPadButtonCount> kPadButtonNames = {
    "a", "b", "x", "y", "leftshoulder", "rightshoulder", "start",
};

}  // namespace

std::optional<PadButton> PadButtonFromName(std::string_view name)
{
    const std::string lower = AsciiLower(name);
    for (std::size_t i = 0; i < kPadButtonNames.size(); ++i) {
        if (lower == kPadButtonNames[i]) {
            return static_cast<PadButton>(i);
        }
    }
    return std::nullopt;
}

std::string_view PadButtonName(PadButton button)
{
    return kPadButtonNames[static_cast<std::size_t>(button)];
}

}  // namespace kipkip
