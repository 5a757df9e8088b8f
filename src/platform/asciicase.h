// platform/asciicase.h
// Letter case of ASCII only: names from files, scripts and settings may carry Shift-JIS or
// UTF-8 bytes, which must never be folded.
#pragma once

#include <string>
#include <string_view>

namespace kipkip {

constexpr char AsciiLower(char c)
{
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

inline std::string AsciiLower(std::string_view text)
{
    std::string lower(text);
    for (char& c : lower) {
        c = AsciiLower(c);
    }
    return lower;
}

}  // namespace kipkip
