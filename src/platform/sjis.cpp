#include "platform/sjis.h"

#include <iconv.h>
#include <cerrno>

namespace kipkip {
namespace {

// "CP932", not "SHIFT_JIS": the latter turns '\' and '~' into the yen sign and overline and
// refuses the NEC and IBM extensions that Windows text uses.
constexpr const char* kShiftJis = "CP932";

std::string Convert(std::string_view input, const char* to, const char* from)
{
    iconv_t converter = iconv_open(to, from);
    if (converter == reinterpret_cast<iconv_t>(-1)) {
        return std::string(input);
    }
    std::string output;
    char buffer[256];
    char* in = const_cast<char*>(input.data());
    std::size_t inLeft = input.size();
    while (inLeft > 0) {
        char* out = buffer;
        std::size_t outLeft = sizeof buffer;
        std::size_t result = iconv(converter, &in, &inLeft, &out, &outLeft);
        output.append(buffer, out);
        if (result == static_cast<std::size_t>(-1) && errno != E2BIG) {
            // An invalid or incomplete sequence: one byte becomes '?' and conversion goes on.
            output += '?';
            ++in;
            --inLeft;
            iconv(converter, nullptr, nullptr, nullptr, nullptr);
        }
    }
    iconv_close(converter);
    return output;
}

}  // namespace

std::string SjisToUtf8(std::string_view sjis)
{
    return Convert(sjis, "UTF-8", kShiftJis);
}

std::string Utf8ToSjis(std::string_view utf8)
{
    return Convert(utf8, kShiftJis, "UTF-8");
}

}  // namespace kipkip
