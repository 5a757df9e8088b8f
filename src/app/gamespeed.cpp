#include "app/gamespeed.h"

#include "platform/wholenumber.h"

namespace kipkip {

std::optional<std::string> ParseSpeed(std::string_view what, std::string_view value, int& speed)
{
    std::string_view number = value;
    if (number.ends_with('%')) {
        number.remove_suffix(1);
    }
    int percent = 0;
    if (ParseWholeNumber(what, number, kSlowestSpeed, kFullSpeed, percent) ||
        percent % kSpeedStep != 0) {
        return std::string(what) + " takes a speed from " + std::to_string(kSlowestSpeed) + " to " +
               std::to_string(kFullSpeed) + " in steps of " + std::to_string(kSpeedStep) +
               ", not \"" + std::string(value) + "\"";
    }
    speed = percent;
    return std::nullopt;
}

}  // namespace kipkip
