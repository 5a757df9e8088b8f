#include "platform/sdl/scancodes.h"

#include <SDL_keyboard.h>
#include <gtest/gtest.h>

#include <map>
#include <string>

namespace kipkip {
namespace {

TEST(Scancodes, KeysTheGameAndItsPlayersUseHaveTheirKeyCodes)
{
    const std::pair<SDL_Scancode, std::uint8_t> anchors[] = {
        {SDL_SCANCODE_SPACE, 0x39},  {SDL_SCANCODE_B, 0x30},
        {SDL_SCANCODE_RETURN, 0x1C}, {SDL_SCANCODE_UP, 0xC8},
        {SDL_SCANCODE_DOWN, 0xD0},   {SDL_SCANCODE_LEFT, 0xCB},
        {SDL_SCANCODE_RIGHT, 0xCD},  {SDL_SCANCODE_Z, 0x2C},
        {SDL_SCANCODE_X, 0x2D},      {SDL_SCANCODE_C, 0x2E},
        {SDL_SCANCODE_ESCAPE, 0x01}, {SDL_SCANCODE_KP_ENTER, 0x9C},
        {SDL_SCANCODE_F12, 0x58},    {SDL_SCANCODE_F10, 0x44},
        {SDL_SCANCODE_KP_0, 0x52},   {SDL_SCANCODE_RCTRL, 0x9D},
        {SDL_SCANCODE_0, 0x0B},      {SDL_SCANCODE_INTERNATIONAL3, 0x7D},
    };
    for (const auto& [scancode, code] : anchors) {
        EXPECT_EQ(DikFromScancode(scancode), code) << SDL_GetScancodeName(scancode);
    }
}

TEST(Scancodes, NoTwoKeysShareACodeAndKeysWithoutOneGiveZero)
{
    std::map<int, SDL_Scancode> owners;
    for (int i = 0; i < SDL_NUM_SCANCODES; ++i) {
        auto scancode = static_cast<SDL_Scancode>(i);
        std::uint8_t code = DikFromScancode(scancode);
        if (code == 0) {
            continue;
        }
        auto [owner, inserted] = owners.emplace(code, scancode);
        EXPECT_TRUE(inserted) << "code " << int(code) << ": " << SDL_GetScancodeName(owner->second)
                              << " and " << SDL_GetScancodeName(scancode);
    }
    EXPECT_EQ(DikFromScancode(SDL_SCANCODE_UNKNOWN), 0);
    EXPECT_EQ(DikFromScancode(SDL_SCANCODE_MUTE), 0);
    EXPECT_EQ(DikFromScancode(SDL_SCANCODE_RETURN2), 0);
    EXPECT_EQ(DikFromScancode(static_cast<SDL_Scancode>(SDL_NUM_SCANCODES)), 0);
}

// Without a window SDL knows no layout, so a name is the key at SDL's place for it.
TEST(Scancodes, KeyNamesForBindingsAreFoundInAnyCaseWithSpacesOrUnderscores)
{
    const std::pair<const char*, std::uint8_t> cases[] = {
        {"z", 0x2C},          {"Z", 0x2C},          {"space", 0x39},
        {"Left Shift", 0x2A}, {"left_shift", 0x2A}, {"keypad 8", 0x48},
        {"up", 0xC8},         {"spcae", 0},         {"", 0},
        {"mute", 0},
    };
    for (const auto& [name, code] : cases) {
        EXPECT_EQ(DikFromKeyName(name), code) << name;
    }
}

}  // namespace
}  // namespace kipkip
