// app/manpage.h
// The manual page, kipkip(6), in roff: its options are --help's own table and its settings the
// settings file's, so the page can never disagree with the program. The build writes it.
#pragma once

#include <string>
#include <string_view>

namespace kipkip {

class ManPage {
public:
    static std::string Text(std::string_view version);

    // `text` as roff prints it: backslashes, minus signs and a leading dot or quote escaped.
    static std::string Escaped(std::string_view text);
};

}  // namespace kipkip
