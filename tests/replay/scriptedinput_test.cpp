#include "replay/scriptedinput.h"

#include <gtest/gtest.h>

#include "device/kivinput.h"
#include "replay/replayfile.h"

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
    EXPECT_EQ(reading.buttons, (std::array<bool, kPadButtonCount>{}));
    late.SetTick(100);
    ASSERT_TRUE(late.PollJoystick(reading));
    JoystickReading west;
    west.Button(PadButton::West) = true;
    EXPECT_EQ(reading.buttons, west.buttons) << "pad.3 is the third button's place";
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

namespace kipkip {
namespace {

// A recording played back as a replay plays it: its script on the input device, with the pad
// binding it names or, when it names none, the default one. A recording from before the pad had
// more than three buttons (pad.1 to pad.3, Start as the third) plays its buttons as it did.
TEST(ScriptedInput, ARecordingsPadBindingDecidesTheGamesButtons)
{
    const std::string oldRecording = "kipkip-replay 1\n1 pad.1\n2 pad.2\n3 pad.3\n4 pad.start\n";
    const std::string rebound =
        "kipkip-replay 1\npad y leftshoulder a\n"
        "1 pad.y\n2 pad.leftshoulder\n3 pad.a\n4 pad.b+pad.x+pad.start+pad.rightshoulder\n";
    const InputState expected[] = {
        {0, 0, 0, 0, 1, 0, 0},
        {0, 0, 0, 0, 0, 1, 0},
        {0, 0, 0, 0, 0, 0, 1},
        {},
    };
    for (const std::string& text : {oldRecording, rebound}) {
        ReplayFileResult replay = ReplayFile::Parse(
            "run.rec", std::span(reinterpret_cast<const std::uint8_t*>(text.data()), text.size()));
        ASSERT_TRUE(replay.replay) << replay.error;
        ScriptedInput port(replay.replay->script);
        TKivInput input(port);
        ASSERT_TRUE(input.Init());
        ASSERT_TRUE(input.SetPadButtons(replay.replay->pad.value_or(kDefaultPadBinding)));
        for (std::uint32_t tick = 1; tick <= std::size(expected); ++tick) {
            port.SetTick(tick);
            InputState state;
            ASSERT_TRUE(input.GetState(state));
            EXPECT_EQ(state, expected[tick - 1]) << text << "tick " << tick;
        }
    }
}

}  // namespace
}  // namespace kipkip
