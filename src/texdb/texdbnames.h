// texdb/texdbnames.h
// The Shift-JIS texts of the text database, each with its UTF-8 gloss.
#pragma once

#include <string_view>

namespace kipkip::texdbnames {

// "がありません" (does not exist), after "TTexDb : " and the data's name
inline constexpr std::string_view kMissing = "\x82\xaa\x82\xa0\x82\xe8\x82\xdc\x82\xb9\x82\xf1";

// "TexDbエラー 括弧が閉じていません" (TexDb error: a bracket is not closed)
inline constexpr std::string_view kBracketNotClosed =
    "TexDb\x83\x47\x83\x89\x81\x5b \x8a\x87\x8c\xca\x82\xaa\x95\xc2\x82\xb6\x82\xc4\x82\xa2\x82\xdc"
    "\x82\xb9\x82\xf1";

}  // namespace kipkip::texdbnames
