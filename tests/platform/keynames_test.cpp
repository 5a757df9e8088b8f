#include "platform/keynames.h"

#include <SDL_keyboard.h>
#include <gtest/gtest.h>

#include <string>

#include "platform/asciicase.h"
#include "platform/sdl/scancodes.h"

namespace kipkip {
namespace {

std::string AsciiUpper(std::string text)
{
    for (char& c : text) {
        c = (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
    }
    return text;
}

// Scripts and recordings were written with SDL's names: every name SDL gives any place must
// mean the key it meant there, in every letter case, and every name of ours must be SDL's.
TEST(KeyNames, EveryNameSdlGivesMeansTheSameKeyHere)
{
    int named = 0;
    for (int i = 0; i < SDL_NUM_SCANCODES; ++i) {
        std::string name = SDL_GetScancodeName(static_cast<SDL_Scancode>(i));
        if (name.empty()) {
            continue;
        }
        // SDL finds a name's first place, which for a name given twice ("Return") is not i.
        std::uint8_t code = DikFromScancode(SDL_GetScancodeFromName(name.c_str()));
        named += code != 0;
        EXPECT_EQ(KeyCodeFromName(name), code) << name;
        EXPECT_EQ(KeyCodeFromName(AsciiLower(name)), code) << name;
        EXPECT_EQ(KeyCodeFromName(AsciiUpper(name)), code) << name;
    }
    EXPECT_GT(named, 90);
}

TEST(KeyNames, EachCodeIsNamedAsSdlNamesItsKey)
{
    for (int i = 0; i < SDL_NUM_SCANCODES; ++i) {
        auto scancode = static_cast<SDL_Scancode>(i);
        std::uint8_t code = DikFromScancode(scancode);
        if (code == 0) {
            continue;
        }
        std::string name = SDL_GetScancodeName(scancode);
        EXPECT_EQ(KeyNameOfCode(code), name) << "code " << int(code);
    }
    for (int code = 0; code < 256; ++code) {
        std::string_view name = KeyNameOfCode(static_cast<std::uint8_t>(code));
        if (!name.empty()) {
            EXPECT_EQ(DikFromScancode(SDL_GetScancodeFromName(std::string(name).c_str())), code)
                << name;
        }
    }
}

TEST(KeyNames, NamesOfNoKeyGiveZero)
{
    using namespace std::string_literals;
    for (const std::string& name : {"spcae"s, ""s, "left\0x"s, "left "s, " left"s, "left_shift"s,
                                    "mute"s, std::string(65, 'a'), "\xff"s,
                                    "L\xc3\xa9"
                                    "ft"s}) {
        EXPECT_EQ(KeyCodeFromName(name), 0) << name;
    }
    EXPECT_EQ(KeyNameOfCode(0), "");
    EXPECT_EQ(KeyNameOfCode(0x56), "");  // the ISO key left of Z has a code but no name
}

}  // namespace
}  // namespace kipkip
