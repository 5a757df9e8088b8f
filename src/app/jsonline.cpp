#include "app/jsonline.h"

#include <cmath>
#include <cstdio>

namespace kipkip {

JsonLine& JsonLine::Add(std::string_view key, std::string_view utf8Text)
{
    Key(key);
    fields_ += Quoted(utf8Text);
    return *this;
}

JsonLine& JsonLine::Add(std::string_view key, std::int64_t number)
{
    Key(key);
    fields_ += std::to_string(number);
    return *this;
}

JsonLine& JsonLine::Add(std::string_view key, bool flag)
{
    Key(key);
    fields_ += flag ? "true" : "false";
    return *this;
}

JsonLine& JsonLine::AddReal(std::string_view key, float number)
{
    Key(key);
    fields_ += Real(number);
    return *this;
}

JsonLine& JsonLine::AddNull(std::string_view key)
{
    Key(key);
    fields_ += "null";
    return *this;
}

JsonLine& JsonLine::AddJson(std::string_view key, std::string_view json)
{
    Key(key);
    fields_ += json;
    return *this;
}

std::string JsonLine::Real(float number)
{
    if (!std::isfinite(number)) {
        return "null";
    }
    // Nine significant digits tell every float apart.
    char text[32];
    std::snprintf(text, sizeof text, "%.9g", static_cast<double>(number));
    return text;
}

void JsonLine::Key(std::string_view key)
{
    if (!fields_.empty()) {
        fields_ += ',';
    }
    fields_ += Quoted(key);
    fields_ += ':';
}

std::string JsonLine::Quoted(std::string_view utf8Text)
{
    std::string out = "\"";
    for (char c : utf8Text) {
        switch (c) {
            case '"':
                out += "\\\"";
                break;
            case '\\':
                out += "\\\\";
                break;
            case '\n':
                out += "\\n";
                break;
            case '\r':
                out += "\\r";
                break;
            case '\t':
                out += "\\t";
                break;
            default:
                if (static_cast<unsigned char>(c) < 0x20) {
                    char escape[8];
                    std::snprintf(escape, sizeof escape, "\\u%04x", static_cast<unsigned char>(c));
                    out += escape;
                } else {
                    out += c;
                }
        }
    }
    return out + "\"";
}

}  // namespace kipkip
