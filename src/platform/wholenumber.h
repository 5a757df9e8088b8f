// platform/wholenumber.h
// A whole number in a range, read from the command line or the settings file, with the error
// that names the option or setting it was given for.
#pragma once

#include <charconv>
#include <optional>
#include <string>
#include <string_view>

namespace kipkip {

template <typename T>
std::optional<std::string> ParseWholeNumber(std::string_view what, std::string_view value, T low,
                                            T high, T& out)
{
    T number{};
    auto [end, error] = std::from_chars(value.data(), value.data() + value.size(), number);
    if (error != std::errc() || end != value.data() + value.size() || number < low ||
        number > high) {
        return std::string(what) + " takes a whole number from " + std::to_string(low) + " to " +
               std::to_string(high) + ", not \"" + std::string(value) + "\"";
    }
    out = number;
    return std::nullopt;
}

}  // namespace kipkip
