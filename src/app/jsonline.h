// app/jsonline.h
// One JSON object on one line, built field by field in the order the fields are added: the
// shape of every report the program writes for tools (data checks, traces).
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace kipkip {

class JsonLine {
public:
    JsonLine& Add(std::string_view key, std::string_view utf8Text);
    JsonLine& Add(std::string_view key, const char* utf8Text)
    {
        return Add(key, std::string_view(utf8Text));
    }
    JsonLine& Add(std::string_view key, std::int64_t number);
    JsonLine& Add(std::string_view key, int number) { return Add(key, std::int64_t{number}); }
    JsonLine& Add(std::string_view key, bool flag);
    // A float with enough digits to read back exactly; null when it is not finite.
    JsonLine& AddReal(std::string_view key, float number);
    JsonLine& AddNull(std::string_view key);
    // A value that is JSON already: an object or array built by the caller.
    JsonLine& AddJson(std::string_view key, std::string_view json);

    static std::string Quoted(std::string_view utf8Text);
    static std::string Real(float number);

    std::string Text() const { return "{" + fields_ + "}"; }

private:
    void Key(std::string_view key);

    std::string fields_;
};

}  // namespace kipkip
