// platform/sjis.h
// Text is Shift-JIS (code page 932) everywhere inside the game; it becomes UTF-8 only at the
// edges: messages, the terminal, the font renderer, reports. Bytes that do not convert become
// '?', so a conversion never fails.
#pragma once

#include <string>
#include <string_view>

namespace kipkip {

std::string SjisToUtf8(std::string_view sjis);
std::string Utf8ToSjis(std::string_view utf8);

}  // namespace kipkip
