// app/appnames.h
// The Shift-JIS texts of the main window, each with its UTF-8 gloss.
#pragma once

#include <string_view>

namespace kipkip::appnames {

// "ＭＳ ゴシック" (MS Gothic): the face the game's text is written in; the font port picks
// the nearest face this machine has.
inline constexpr std::string_view kFontFace = "\x82\x6c\x82\x72 \x83\x53\x83\x56\x83\x62\x83\x4e";

}  // namespace kipkip::appnames
