#include "replay/scriptedinput.h"

#include <gtest/gtest.h>

#include "device/kivinput.h"

namespace kipkip {
namespace {

InputScript Script(std::string_view text)
{
    InputScriptResult result = InputScript::Parse(
        "test", std::span(reinterpret_cast<const std::uint8_t*>(text.data()), text.size()));
    EXPECT_TRUE(result.script) << result.error;
    return result.script ? *result.script : InputScript{};
}

TEST(ScriptedInput, TheKeyboardShowsTheScriptAtTheTickSet)
{
    ScriptedInput input(Script("2 left+space\n4 none\n"));
    ASSERT_TRUE(input.Open());
    KeyboardState keys;
    KeyboardState left{};
    left[0xCB] = 0x80;
    left[0x39] = 0x80;
    const std::pair<std::uint32_t, KeyboardState> expected[] = {
        {1, {}}, {2, left}, {3, left}, {4, {}}, {2, left}};
    ASSERT_EQ(input.ReadKeyboard(keys), InputPort::ReadResult::Ok);
    EXPECT_EQ(keys, KeyboardState{}) << "before the first tick";
    for (const auto& [tick, state] : expected) {
        input.SetTick(tick);
        keys.fill(0xEE);
        ASSERT_EQ(input.ReadKeyboard(keys), InputPort::ReadResult::Ok);
        EXPECT_EQ(keys, state) << "tick " << tick;
    }
}

TEST(ScriptedInput, APadIsAttachedExactlyWhenTheScriptUsesOne)
{
    ScriptedInput keysOnly(Script("1 left\n"));
    EXPECT_FALSE(keysOnly.HasJoystick());

    ScriptedInput late(Script("1 left\n100 pad.3\n"));
    EXPECT_TRUE(late.HasJoystick()) << "also at ticks before the first pad line";
    JoystickReading reading;
    reading.x = 7;
    late.SetTick(1);
    ASSERT_TRUE(late.PollJoystick(reading));
    EXPECT_EQ(reading.x, 0);
    EXPECT_EQ(reading.buttons, (std::array<bool, 3>{}));
    late.SetTick(100);
    ASSERT_TRUE(late.PollJoystick(reading));
    EXPECT_EQ(reading.buttons, (std::array<bool, 3>{false, false, true}));
}

// The input device on a script, as a headless run has it: the game's map (space, B, Return).
TEST(ScriptedInput, DrivesTheInputDeviceTickByTick)
{
    ScriptedInput port(Script("1 left+space\n2 pad.down+return\n3 none\n"));
    TKivInput input(port);
    ASSERT_TRUE(input.Init());
    ASSERT_TRUE(input.SetKeys(InputState{0xC8, 0xD0, 0xCB, 0xCD, 0x39, 0x30, 0x1C}));
    const InputState expected[] = {
        {0, 0, 0x80, 0, 0x80, 0, 0},
        {0, 1, 0, 0, 0, 0, 0x80},
        {},
    };
    for (std::uint32_t tick = 1; tick <= 3; ++tick) {
        port.SetTick(tick);
        InputState state;
        ASSERT_TRUE(input.GetState(state));
        EXPECT_EQ(state, expected[tick - 1]) << "tick " << tick;
    }
}

}  // namespace
}  // namespace kipkip
