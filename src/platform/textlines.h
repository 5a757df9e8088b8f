// platform/textlines.h
// The lines and words of the game's line-based texts (input scripts, recordings, the settings
// file): a line ends at LF, CR LF or CR; words are separated by blanks (spaces and tabs).
#pragma once

#include <cstddef>
#include <string_view>
#include <vector>

namespace kipkip {

// Calls visit(number, line) for each line, numbered from 1, until a visit returns false; the
// text after a last line ending is no further line. False when a visit stopped the walk.
template <typename Visit>
bool ForEachLine(std::string_view text, Visit visit)
{
    for (std::size_t number = 1; !text.empty(); ++number) {
        const std::size_t end = text.find_first_of("\r\n");
        if (!visit(number, text.substr(0, end))) {
            return false;
        }
        if (end == std::string_view::npos) {
            break;
        }
        const bool crlf = text[end] == '\r' && end + 1 < text.size() && text[end + 1] == '\n';
        text.remove_prefix(end + (crlf ? 2 : 1));
    }
    return true;
}

// The blank-separated words of a line, at most `limit` of them. A caller asks for one more
// than it uses, to notice a line with too many.
inline std::vector<std::string_view> Words(std::string_view line, std::size_t limit)
{
    auto blank = [](char c) { return c == ' ' || c == '\t'; };
    std::vector<std::string_view> words;
    std::size_t i = 0;
    while (words.size() < limit) {
        while (i < line.size() && blank(line[i])) {
            ++i;
        }
        if (i == line.size()) {
            break;
        }
        const std::size_t start = i;
        while (i < line.size() && !blank(line[i])) {
            ++i;
        }
        words.push_back(line.substr(start, i - start));
    }
    return words;
}

}  // namespace kipkip
