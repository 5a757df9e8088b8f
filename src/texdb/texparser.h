// texdb/texparser.h
// Turns a data text into blocks of entries. The text is bytes (Shift-JIS); only space, tab,
// comma, '#', '{', '}', '-', '.' and the digits mean anything to the parser. Lines end at
// CR LF, CR or LF, and a zero byte ends the text. A block runs from a line that is exactly "{"
// to the next line that is exactly "}"; inside it each line is a key and up to eight values.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "texdb/texblock.h"

namespace kipkip {

struct TexParseResult {
    std::vector<TexBlock> blocks;
    // The braces do not pair up; the blocks that could be read are still there.
    bool bracketError = false;
    // A number that does not convert abandons the load: then there are no blocks.
    std::optional<std::string> conversionError;
};

class TexParser {
public:
    static constexpr int kMaxValues = 8;

    // `name` only serves the error message.
    static TexParseResult Parse(std::string_view name, std::span<const std::uint8_t> text);
};

}  // namespace kipkip
