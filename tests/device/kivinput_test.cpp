#include "device/kivinput.h"

#include <gtest/gtest.h>

#include <optional>

namespace kipkip {
namespace {

constexpr std::uint8_t kLeftKey = 0xCB;
constexpr std::uint8_t kUpKey = 0xC8;
constexpr std::uint8_t kSpaceKey = 0x39;

// A port whose keyboard and pad the test sets, and which counts what the device asks of it.
class FakeInputPort : public InputPort {
public:
    bool Open() override
    {
        ++opens;
        return openSucceeds;
    }
    void Close() override { ++closes; }
    ReadResult ReadKeyboard(KeyboardState& out) override
    {
        ++keyboardReads;
        // Whatever the result, the port scribbles into the buffer: only an Ok read may count.
        out = keys;
        return keyboardResult;
    }
    bool HasJoystick() override { return pad.has_value(); }
    bool PollJoystick(JoystickReading& reading) override
    {
        ++polls;
        if (pollSucceeds && !padLost) {
            reading = *pad;
        }
        return pollSucceeds;
    }

    void Hold(std::uint8_t code) { keys[code] = 0x80; }

    bool openSucceeds = true;
    KeyboardState keys{};
    ReadResult keyboardResult = ReadResult::Ok;
    std::optional<JoystickReading> pad;  // attached when set
    bool pollSucceeds = true;
    bool padLost = false;  // the poll succeeds but fills in nothing
    int opens = 0;
    int closes = 0;
    int keyboardReads = 0;
    int polls = 0;
};

// Filled with junk first, so a read that forgets to clear shows it.
InputState ReadState(TKivInput& input, bool& result)
{
    InputState state{0xEE, 0xEE, 0xEE, 0xEE, 0xEE, 0xEE, 0xEE};
    result = input.GetState(state);
    return state;
}

InputState ReadState(TKivInput& input)
{
    bool result = false;
    InputState state = ReadState(input, result);
    EXPECT_TRUE(result);
    return state;
}

JoystickReading Stick(int x, int y)
{
    JoystickReading reading;
    reading.x = x;
    reading.y = y;
    return reading;
}

TEST(KivInputBeforeInit, EveryReadIsClearAndFalseAndThePortIsLeftAlone)
{
    FakeInputPort port;
    port.Hold(kLeftKey);
    port.pad = Stick(-100, 0);
    TKivInput input(port);

    bool result = true;
    EXPECT_EQ(ReadState(input, result), InputState{});
    EXPECT_FALSE(result);

    KeyboardState keys;
    keys.fill(0xEE);
    EXPECT_FALSE(input.GetKeyboardState(keys));
    EXPECT_EQ(keys, KeyboardState{});

    InputState map{1, 2, 3, 4, 5, 6, 7};
    EXPECT_FALSE(input.GetKeys(map));
    EXPECT_EQ(map, (InputState{1, 2, 3, 4, 5, 6, 7})) << "nothing is copied out";

    EXPECT_EQ(port.keyboardReads + port.polls + port.opens, 0);
}

TEST(KivInputBeforeInit, SetKeysChangesNothing)
{
    FakeInputPort port;
    TKivInput input(port);
    EXPECT_FALSE(input.SetKeys(InputState{1, 2, 3, 4, 5, 6, 7}));

    ASSERT_TRUE(input.Init());
    InputState map;
    ASSERT_TRUE(input.GetKeys(map));
    EXPECT_EQ(map, TKivInput::kDefaultKeys);
    EXPECT_EQ(map, (InputState{0xC8, 0xD0, 0xCB, 0xCD, 0x2C, 0x2D, 0x2E}));
}

TEST(KivInputLifecycle, AFailedOpenClosesThePortAgainAndLeavesTheDeviceUninitialised)
{
    FakeInputPort port;
    port.openSucceeds = false;
    port.Hold(kLeftKey);
    {
        TKivInput input(port);
        EXPECT_FALSE(input.Init());
        EXPECT_FALSE(input.Initialised());
        EXPECT_EQ(port.closes, 1);
        bool result = true;
        EXPECT_EQ(ReadState(input, result), InputState{});
        EXPECT_FALSE(result);
    }
    EXPECT_EQ(port.closes, 1) << "the destructor does not close a closed port again";
}

TEST(KivInputLifecycle, ReleaseAllClosesOnceAndEndsReading)
{
    FakeInputPort port;
    port.Hold(kLeftKey);
    {
        TKivInput input(port);
        ASSERT_TRUE(input.Init());
        input.ReleaseAll();
        EXPECT_EQ(port.closes, 1);
        bool result = true;
        EXPECT_EQ(ReadState(input, result), InputState{});
        EXPECT_FALSE(result);

        ASSERT_TRUE(input.Init());
        EXPECT_EQ(port.opens, 2);
    }
    EXPECT_EQ(port.closes, 2) << "the destructor closes the port it opened";
}

TEST(KivInputLifecycle, ANeverInitialisedDeviceNeverTouchesThePort)
{
    FakeInputPort port;
    {
        TKivInput input(port);
        input.ReleaseAll();
    }
    EXPECT_EQ(port.opens + port.closes, 0);
}

TEST(KivInputKeyboard, CursorLeftAndSpaceGiveLeftAndButton1Only)
{
    FakeInputPort port;
    TKivInput input(port);
    ASSERT_TRUE(input.Init());
    InputState map;
    ASSERT_TRUE(input.GetKeys(map));
    map.Button1 = kSpaceKey;
    ASSERT_TRUE(input.SetKeys(map));

    port.Hold(kLeftKey);
    port.Hold(kSpaceKey);
    EXPECT_EQ(ReadState(input), (InputState{0, 0, 0x80, 0, 0x80, 0, 0}));
}

TEST(KivInputKeyboard, EachSignalFollowsItsMappedKeyAndOnlyThat)
{
    // The game's map: cursor keys, space, B, Return.
    const InputState gameMap{0xC8, 0xD0, 0xCB, 0xCD, 0x39, 0x30, 0x1C};
    for (std::size_t s = 0; s < kInputSignals.size(); ++s) {
        FakeInputPort port;
        TKivInput input(port);
        ASSERT_TRUE(input.Init());
        ASSERT_TRUE(input.SetKeys(gameMap));
        port.Hold(gameMap.*kInputSignals[s]);
        // The key the default map had for this signal is not read any more.
        port.Hold(TKivInput::kDefaultKeys.*kInputSignals[s]);

        InputState expected;
        expected.*kInputSignals[s] = 0x80;
        EXPECT_EQ(ReadState(input), expected) << "signal " << s;
    }
}

TEST(KivInputKeyboard, ASignalTakesTheKeyboardByteAsItIs)
{
    FakeInputPort port;
    TKivInput input(port);
    ASSERT_TRUE(input.Init());
    port.keys[kUpKey] = 0x01;  // any non-zero byte counts, and is passed on unchanged
    EXPECT_EQ(ReadState(input).Up, 0x01);
}

TEST(KivInputKeyboard, ALostOrFailedReadShowsNoKeyForThatFrameOnly)
{
    for (auto lost : {InputPort::ReadResult::Lost, InputPort::ReadResult::Failed}) {
        FakeInputPort port;
        TKivInput input(port);
        ASSERT_TRUE(input.Init());
        port.Hold(kLeftKey);
        port.keyboardResult = lost;

        KeyboardState keys;
        EXPECT_TRUE(input.GetKeyboardState(keys));
        EXPECT_EQ(keys, KeyboardState{});
        EXPECT_EQ(ReadState(input), InputState{});

        port.keyboardResult = InputPort::ReadResult::Ok;
        EXPECT_TRUE(input.GetKeyboardState(keys));
        EXPECT_EQ(keys[kLeftKey], 0x80);
        EXPECT_EQ(ReadState(input).Left, 0x80);
    }
}

TEST(KivInputKeyboard, TheRawStateIsIndexedByKeyCode)
{
    FakeInputPort port;
    TKivInput input(port);
    ASSERT_TRUE(input.Init());
    port.Hold(0x01);
    port.Hold(0xFF);
    KeyboardState keys;
    ASSERT_TRUE(input.GetKeyboardState(keys));
    EXPECT_EQ(keys, port.keys);
}

struct StickCase {
    int x;
    int y;
    InputState expected;
};

TEST(KivInputJoystick, DirectionsNeedMoreThanHalfTheStick)
{
    const StickCase cases[] = {
        {0, 0, {}},
        {-50, 0, {}},
        {-51, 0, {0, 0, 1, 0, 0, 0, 0}},
        {50, 0, {}},
        {51, 0, {0, 0, 0, 1, 0, 0, 0}},
        {0, -50, {}},
        {0, -51, {1, 0, 0, 0, 0, 0, 0}},
        {0, 50, {}},
        {0, 51, {0, 1, 0, 0, 0, 0, 0}},
        {-100, 100, {0, 1, 1, 0, 0, 0, 0}},
        {100, -100, {1, 0, 0, 1, 0, 0, 0}},
    };
    for (const StickCase& c : cases) {
        FakeInputPort port;
        port.pad = Stick(c.x, c.y);
        TKivInput input(port);
        ASSERT_TRUE(input.Init());
        EXPECT_EQ(ReadState(input), c.expected) << "x " << c.x << ", y " << c.y;
    }
}

TEST(KivInputJoystick, ThePadBindingPicksTheButtonsOfTheGamesThree)
{
    const PadBinding shoulders{PadButton::North, PadButton::LeftShoulder, PadButton::South};
    struct ButtonCase {
        std::optional<PadBinding> binding;  // the default when not set
        PadButton pressed;
        InputState expected;
    };
    const ButtonCase cases[] = {
        {std::nullopt, PadButton::South, {0, 0, 0, 0, 1, 0, 0}},
        {std::nullopt, PadButton::East, {0, 0, 0, 0, 0, 1, 0}},
        {std::nullopt, PadButton::West, {0, 0, 0, 0, 0, 0, 1}},
        {std::nullopt, PadButton::North, {}},
        {std::nullopt, PadButton::LeftShoulder, {}},
        {std::nullopt, PadButton::RightShoulder, {}},
        {std::nullopt, PadButton::Start, {}},
        {shoulders, PadButton::North, {0, 0, 0, 0, 1, 0, 0}},
        {shoulders, PadButton::LeftShoulder, {0, 0, 0, 0, 0, 1, 0}},
        {shoulders, PadButton::South, {0, 0, 0, 0, 0, 0, 1}},
        {shoulders, PadButton::East, {}},
        {shoulders, PadButton::West, {}},
        {shoulders, PadButton::Start, {}},
    };
    for (const ButtonCase& c : cases) {
        FakeInputPort port;
        port.pad = JoystickReading{};
        port.pad->Button(c.pressed) = true;
        TKivInput input(port);
        if (c.binding) {
            ASSERT_TRUE(input.SetPadButtons(*c.binding));
        }
        ASSERT_TRUE(input.Init()) << "Init keeps the binding";
        EXPECT_EQ(ReadState(input), c.expected)
            << "button " << static_cast<int>(c.pressed) << (c.binding ? " rebound" : "");
    }
}

TEST(KivInputJoystick, StartIsNeverAButtonOfTheGame)
{
    FakeInputPort port;
    port.pad = JoystickReading{};
    port.pad->Button(PadButton::Start) = true;
    TKivInput input(port);
    ASSERT_TRUE(input.Init());
    EXPECT_FALSE(input.SetPadButtons({PadButton::South, PadButton::Start, PadButton::West}));
    EXPECT_EQ(ReadState(input), InputState{});
    port.pad = JoystickReading{};
    port.pad->Button(PadButton::East) = true;
    EXPECT_EQ(ReadState(input), (InputState{0, 0, 0, 0, 0, 1, 0})) << "the binding stays";
}

TEST(KivInputJoystick, KeyboardAndJoystickCombineAndAKeyNeverClearsTheStick)
{
    FakeInputPort port;
    port.pad = Stick(0, 100);
    port.pad->buttons[0] = true;
    TKivInput input(port);
    ASSERT_TRUE(input.Init());
    port.Hold(kUpKey);
    // Down and Button1 come from the pad with their keys up; Up comes from the keyboard.
    EXPECT_EQ(ReadState(input), (InputState{0x80, 1, 0, 0, 1, 0, 0}));

    // A held key gives its own byte also where the pad already set the signal.
    port.Hold(0xD0);
    EXPECT_EQ(ReadState(input).Down, 0x80);
}

TEST(KivInputJoystick, AFailedPollClearsEverythingWithoutReadingTheKeyboard)
{
    FakeInputPort port;
    port.pad = Stick(-100, 0);
    port.pollSucceeds = false;
    port.Hold(kLeftKey);
    TKivInput input(port);
    ASSERT_TRUE(input.Init());

    bool result = true;
    EXPECT_EQ(ReadState(input, result), InputState{});
    EXPECT_FALSE(result);
    EXPECT_EQ(port.polls, 1);
    EXPECT_EQ(port.keyboardReads, 0);
}

TEST(KivInputJoystick, APollThatFillsNothingIsACentredStickAndTheKeyboardStillCounts)
{
    FakeInputPort port;
    port.pad = Stick(-100, 100);
    port.pad->buttons.fill(true);
    port.padLost = true;
    port.Hold(kLeftKey);
    TKivInput input(port);
    ASSERT_TRUE(input.Init());
    EXPECT_EQ(ReadState(input), (InputState{0, 0, 0x80, 0, 0, 0, 0}));
}

TEST(KivInputJoystick, APadIsLookedForOnEveryRead)
{
    FakeInputPort port;
    TKivInput input(port);
    ASSERT_TRUE(input.Init());
    EXPECT_EQ(ReadState(input), InputState{});
    EXPECT_EQ(port.polls, 0) << "no pad attached: none is polled";

    port.pad = Stick(100, 0);
    EXPECT_EQ(ReadState(input).Right, 1) << "plugged in after Init";

    port.pad.reset();
    EXPECT_EQ(ReadState(input), InputState{});
    EXPECT_EQ(port.polls, 1);
}

}  // namespace
}  // namespace kipkip
