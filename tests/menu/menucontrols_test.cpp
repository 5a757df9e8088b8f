// What held keys and controller buttons mean to the menu, tick by tick.
#include <gtest/gtest.h>

#include <bitset>
#include <vector>

#include "menu/menucontrols.h"

namespace kipkip {
namespace {

constexpr std::uint8_t kEscape = 0x01;
constexpr std::uint8_t kReturn = 0x1C;
constexpr std::uint8_t kW = 0x11;
constexpr std::uint8_t kSpace = 0x39;
constexpr std::uint8_t kCursorUp = 0xC8;

Bindings PlayerBindings()
{
    // W for up, the rest as by default; the jump on the controller's north button.
    Bindings bindings{InputState{kW, 0xD0, 0xCB, 0xCD, kSpace, 0x30, kReturn}};
    bindings.padButtons[0] = PadButton::North;
    return bindings;
}

std::bitset<256> Keys(std::initializer_list<std::uint8_t> codes)
{
    std::bitset<256> keys;
    for (std::uint8_t code : codes) {
        keys.set(code);
    }
    return keys;
}

JoystickReading Pad(std::initializer_list<PadButton> buttons, int x = 0, int y = 0)
{
    JoystickReading pad;
    pad.x = x;
    pad.y = y;
    for (PadButton button : buttons) {
        pad.Button(button) = true;
    }
    return pad;
}

// The commands of one tick pressed from nothing held.
std::vector<MenuCommand> PressedFromNothing(const std::bitset<256>& keys,
                                            const JoystickReading& pad)
{
    MenuControls controls;
    controls.Read({}, {}, PlayerBindings());
    return controls.Read(keys, pad, PlayerBindings()).commands;
}

TEST(MenuControls, TheFixedKeysAndThePlayersBindingsBothWork)
{
    using C = MenuCommand;
    const struct {
        const char* what;
        std::bitset<256> keys;
        JoystickReading pad;
        std::vector<MenuCommand> expected;
    } cases[] = {
        {"cursor up", Keys({kCursorUp}), {}, {C::Up}},
        {"the bound up", Keys({kW}), {}, {C::Up}},
        {"the stick up", {}, Pad({}, 0, -100), {C::Up}},
        {"the stick barely leaning", {}, Pad({}, 30, 30), {}},
        {"return", Keys({kReturn}), {}, {C::Choose}},
        {"the bound first button", Keys({kSpace}), {}, {C::Choose}},
        {"south", {}, Pad({PadButton::South}), {C::Choose}},
        {"the bound controller button", {}, Pad({PadButton::North}), {C::Choose}},
        {"the second button", Keys({0x30}), {}, {C::Back}},
        {"east", {}, Pad({PadButton::East}), {C::Back}},
        {"escape", Keys({kEscape}), {}, {C::Back}},
        {"start", {}, Pad({PadButton::Start}), {C::Close}},
        {"a key the menu does not use", Keys({0x2C}), {}, {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(PressedFromNothing(c.keys, c.pad), c.expected);
    }
}

TEST(MenuControls, EscapeAndStartAreWhatOpensTheMenu)
{
    MenuControls controls;
    EXPECT_TRUE(controls.Read(Keys({kEscape}), {}, PlayerBindings()).open);
    EXPECT_FALSE(controls.Read(Keys({kEscape}), {}, PlayerBindings()).open);  // still held
    EXPECT_TRUE(controls.Read({}, Pad({PadButton::Start}), PlayerBindings()).open);
    EXPECT_FALSE(controls.Read(Keys({kReturn}), {}, PlayerBindings()).open);
}

TEST(MenuControls, AHeldDirectionRepeatsAfterADelayButChoosingDoesNot)
{
    MenuControls controls;
    std::vector<int> upTicks;
    std::vector<int> chooseTicks;
    for (int tick = 1; tick <= 31; ++tick) {
        for (MenuCommand command :
             controls.Read(Keys({kCursorUp, kReturn}), {}, PlayerBindings()).commands) {
            (command == MenuCommand::Up ? upTicks : chooseTicks).push_back(tick);
        }
    }
    EXPECT_EQ(upTicks, (std::vector<int>{1, MenuControls::kRepeatDelay, 25, 30}));
    EXPECT_EQ(chooseTicks, std::vector<int>{1});
}

TEST(MenuControls, WhatWasHeldWhenTheMenuOpenedActsOnlyOncePressedAgain)
{
    MenuControls controls;
    controls.Read(Keys({kSpace, kCursorUp}), {}, PlayerBindings());
    controls.IgnoreHeld();
    for (int tick = 0; tick < 40; ++tick) {
        EXPECT_TRUE(
            controls.Read(Keys({kSpace, kCursorUp}), {}, PlayerBindings()).commands.empty());
    }
    controls.Read({}, {}, PlayerBindings());
    EXPECT_EQ(controls.Read(Keys({kSpace}), {}, PlayerBindings()).commands,
              std::vector<MenuCommand>{MenuCommand::Choose});
}

TEST(MenuControls, EveryKeyAndButtonThatWentDownIsReportedOnce)
{
    MenuControls controls;
    controls.Read(Keys({kSpace}), {}, PlayerBindings());
    const MenuControls::Tick tick =
        controls.Read(Keys({kSpace, kW, 0xFF}), Pad({PadButton::RightShoulder}), PlayerBindings());
    EXPECT_EQ(tick.keysPressed, (std::vector<std::uint8_t>{kW, 0xFF}));
    EXPECT_EQ(tick.padButtonsPressed, std::vector<PadButton>{PadButton::RightShoulder});
    EXPECT_TRUE(
        controls.Read(Keys({kSpace, kW, 0xFF}), Pad({PadButton::RightShoulder}), PlayerBindings())
            .keysPressed.empty());
}

}  // namespace
}  // namespace kipkip
