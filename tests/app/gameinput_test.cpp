// The keys and buttons the game reads once the menu has rebound them or closed over a held one,
// sampled through the same chain of per-tick inputs as in a run.
#include "app/gameinput.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <initializer_list>
#include <string>

#include "replay/tickinput.h"
#include "support/fakeports.h"

namespace kipkip {
namespace {

constexpr std::uint8_t kHeld = 0x80;
constexpr std::uint8_t kQ = 0x10;
constexpr std::uint8_t kB = 0x30;
constexpr std::uint8_t kX = 0x2D;
constexpr std::uint8_t kZ = 0x2C;
constexpr std::uint8_t kReturn = 0x1C;
constexpr std::uint8_t kSpace = 0x39;
constexpr std::uint8_t kCursorUp = 0xC8;
constexpr std::uint8_t kCursorDown = 0xD0;
constexpr std::uint8_t kCursorLeft = 0xCB;
constexpr std::uint8_t kCursorRight = 0xCD;

Bindings StartBindings()
{
    return Bindings{
        InputState{kCursorUp, kCursorDown, kCursorLeft, kCursorRight, kSpace, kB, kReturn},
        kDefaultPadBinding};
}

KeyboardState Holding(std::initializer_list<std::uint8_t> codes)
{
    KeyboardState keys{};
    for (std::uint8_t code : codes) {
        keys[code] = kHeld;
    }
    return keys;
}

std::string HeldCodes(const KeyboardState& keys)
{
    std::string codes;
    for (std::size_t code = 0; code < keys.size(); ++code) {
        if (keys[code] != 0) {
            codes += std::to_string(code) + " ";
        }
    }
    return codes;
}

std::array<bool, kPadButtonCount> Pressing(std::initializer_list<PadButton> buttons)
{
    std::array<bool, kPadButtonCount> pressed{};
    for (PadButton button : buttons) {
        pressed[static_cast<std::size_t>(button)] = true;
    }
    return pressed;
}

// The device, the player's per-tick sample of it, the game's view of that and the game's own
// per-tick sample, chained as a run chains them.
class GameInputTest : public ::testing::Test {
protected:
    // One loop tick: what the game reads from the device as it is now.
    KeyboardState NextKeys()
    {
        BeginTick();
        KeyboardState keys{};
        EXPECT_EQ(input.ReadKeyboard(keys), InputPort::ReadResult::Ok);
        return keys;
    }
    JoystickReading NextPad()
    {
        BeginTick();
        JoystickReading reading;
        EXPECT_TRUE(input.HasJoystick());
        EXPECT_TRUE(input.PollJoystick(reading));
        return reading;
    }
    void BeginTick()
    {
        player.BeginTick();
        input.BeginTick();
    }

    test::FakeInput device;
    TickInput player{device};
    GameInput game{player, StartBindings()};
    TickInput input{game};
};

TEST_F(GameInputTest, WithTheStartBindingsEveryByteAndButtonPassesAsTheDeviceGaveIt)
{
    KeyboardState pattern{};
    for (std::size_t code = 0; code < pattern.size(); ++code) {
        pattern[code] = code % 3 == 0 ? kHeld : static_cast<std::uint8_t>(code * 7 % 5);
    }
    pattern[kSpace] = 0x81;
    device.keyboard = pattern;
    device.joystickAttached = true;
    device.joystick.x = -73;
    device.joystick.y = 42;
    device.joystick.buttons = Pressing({PadButton::South, PadButton::North, PadButton::Start});

    // Bound back to the bindings it started with, nothing is moved either.
    for (bool rebound : {false, true}) {
        if (rebound) {
            Bindings elsewhere = StartBindings();
            elsewhere.keys.Up = kZ;
            elsewhere.padButtons[0] = PadButton::North;
            game.Rebind(elsewhere);
            game.Rebind(StartBindings());
        }
        EXPECT_EQ(NextKeys(), pattern) << "rebound " << rebound;
        const JoystickReading pad = NextPad();
        EXPECT_EQ(pad.x, -73);
        EXPECT_EQ(pad.y, 42);
        EXPECT_EQ(pad.buttons, device.joystick.buttons) << "rebound " << rebound;
    }

    device.keyboardResult = InputPort::ReadResult::Lost;
    BeginTick();
    KeyboardState keys{};
    EXPECT_EQ(input.ReadKeyboard(keys), InputPort::ReadResult::Lost);
}

TEST_F(GameInputTest, AReboundKeyReadsAsItsSignalsStartKeyAndTheOldKeyNoLongerDoes)
{
    const struct {
        const char* what;
        InputState now;  // the bindings after the rebind
        KeyboardState held;
        KeyboardState seen;
    } cases[] = {
        {"button1 on Z, a key bound to nothing before",
         {kCursorUp, kCursorDown, kCursorLeft, kCursorRight, kZ, kB, kReturn},
         Holding({kZ}),
         Holding({kSpace})},
        {"the old key of button1 does nothing now",
         {kCursorUp, kCursorDown, kCursorLeft, kCursorRight, kZ, kB, kReturn},
         Holding({kSpace}),
         Holding({})},
        {"both the old and the new key of button1",
         {kCursorUp, kCursorDown, kCursorLeft, kCursorRight, kZ, kB, kReturn},
         Holding({kSpace, kZ}),
         Holding({kSpace})},
        {"up and down swapped, up held",
         {kCursorDown, kCursorUp, kCursorLeft, kCursorRight, kSpace, kB, kReturn},
         Holding({kCursorUp}),
         Holding({kCursorDown})},
        {"up and down swapped, down held",
         {kCursorDown, kCursorUp, kCursorLeft, kCursorRight, kSpace, kB, kReturn},
         Holding({kCursorDown}),
         Holding({kCursorUp})},
        {"up and down swapped, both held",
         {kCursorDown, kCursorUp, kCursorLeft, kCursorRight, kSpace, kB, kReturn},
         Holding({kCursorDown, kCursorUp}),
         Holding({kCursorDown, kCursorUp})},
        {"up takes down's key and down takes X: down's old key is up now",
         {kCursorDown, kX, kCursorLeft, kCursorRight, kSpace, kB, kReturn},
         Holding({kCursorDown, kX}),
         Holding({kCursorUp, kCursorDown})},
        {"up takes down's key and down takes X: up's old key is nothing",
         {kCursorDown, kX, kCursorLeft, kCursorRight, kSpace, kB, kReturn},
         Holding({kCursorUp}),
         Holding({})},
        {"keys bound to nothing stay as they are, the others unmoved",
         {kCursorUp, kCursorDown, kCursorLeft, kCursorRight, kZ, kB, kReturn},
         Holding({kQ, kCursorLeft, kReturn}),
         Holding({kQ, kCursorLeft, kReturn})},
    };
    for (const auto& c : cases) {
        game.Rebind(Bindings{c.now, kDefaultPadBinding});
        device.keyboard = c.held;
        EXPECT_EQ(HeldCodes(NextKeys()), HeldCodes(c.seen)) << c.what;
    }
}

TEST_F(GameInputTest, AMovedKeyKeepsTheByteTheDeviceGave)
{
    Bindings now = StartBindings();
    now.keys.Button1 = kZ;
    game.Rebind(now);
    device.keyboard[kZ] = 0x81;
    device.keyboard[kQ] = 0x80;
    KeyboardState seen{};
    seen[kSpace] = 0x81;
    seen[kQ] = 0x80;
    EXPECT_EQ(NextKeys(), seen);
}

TEST_F(GameInputTest, AReboundPadButtonReadsAsItsGameButtonsStartButton)
{
    // Button1 moves from A to Y, button3 from X to A; X is bound to nothing now, and the
    // shoulder buttons and Start never were.
    Bindings now = StartBindings();
    now.padButtons = {PadButton::North, PadButton::East, PadButton::South};
    game.Rebind(now);
    device.joystickAttached = true;
    device.joystick.x = 100;
    device.joystick.y = -100;
    const struct {
        const char* what;
        std::array<bool, kPadButtonCount> held;
        std::array<bool, kPadButtonCount> seen;
    } cases[] = {
        {"Y is button1, whose start button is A", Pressing({PadButton::North}),
         Pressing({PadButton::South})},
        {"A is button3, whose start button is X", Pressing({PadButton::South}),
         Pressing({PadButton::West})},
        {"X is nothing now", Pressing({PadButton::West}), Pressing({})},
        {"B stays button2", Pressing({PadButton::East}), Pressing({PadButton::East})},
        {"buttons bound to nothing stay",
         Pressing({PadButton::LeftShoulder, PadButton::RightShoulder, PadButton::Start}),
         Pressing({PadButton::LeftShoulder, PadButton::RightShoulder, PadButton::Start})},
        {"all the game's buttons at once",
         Pressing({PadButton::North, PadButton::East, PadButton::South}),
         Pressing({PadButton::South, PadButton::East, PadButton::West})},
    };
    for (const auto& c : cases) {
        device.joystick.buttons = c.held;
        const JoystickReading pad = NextPad();
        EXPECT_EQ(pad.buttons, c.seen) << c.what;
        EXPECT_EQ(pad.x, 100) << c.what;
        EXPECT_EQ(pad.y, -100) << c.what;
    }
}

TEST_F(GameInputTest, WhatIsHeldWhenHiddenStaysHiddenUntilItIsReleased)
{
    device.joystickAttached = true;
    device.keyboard = Holding({kSpace, kCursorLeft});
    device.joystick.buttons = Pressing({PadButton::South});
    BeginTick();  // the menu closes in the middle of a loop tick
    game.HideHeld();

    // A key pressed after the hiding shows at once; the hidden ones do not while held.
    device.keyboard = Holding({kSpace, kCursorLeft, kCursorRight});
    device.joystick.buttons = Pressing({PadButton::South, PadButton::East});
    EXPECT_EQ(HeldCodes(NextKeys()), HeldCodes(Holding({kCursorRight})));
    EXPECT_EQ(NextPad().buttons, Pressing({PadButton::East}));

    // Space is let go and pressed again: it shows; left, still held, does not.
    device.keyboard = Holding({kCursorLeft});
    device.joystick.buttons = {};
    EXPECT_EQ(HeldCodes(NextKeys()), "");
    EXPECT_EQ(NextPad().buttons, Pressing({}));
    device.keyboard = Holding({kSpace, kCursorLeft});
    device.joystick.buttons = Pressing({PadButton::South});
    EXPECT_EQ(HeldCodes(NextKeys()), HeldCodes(Holding({kSpace})));
    EXPECT_EQ(NextPad().buttons, Pressing({PadButton::South}));

    device.keyboard = Holding({});
    NextKeys();
    device.keyboard = Holding({kSpace, kCursorLeft});
    EXPECT_EQ(HeldCodes(NextKeys()), HeldCodes(Holding({kSpace, kCursorLeft})));
}

TEST_F(GameInputTest, AHeldKeyStaysHiddenUnderItsNewBinding)
{
    // Z is bound to button1 now and held as the menu closes: neither Z nor the space it reads
    // as may reach the game until Z is let go.
    Bindings now = StartBindings();
    now.keys.Button1 = kZ;
    now.padButtons[0] = PadButton::North;
    game.Rebind(now);
    device.joystickAttached = true;
    device.keyboard = Holding({kZ});
    device.joystick.buttons = Pressing({PadButton::North});
    BeginTick();
    game.HideHeld();
    EXPECT_EQ(HeldCodes(NextKeys()), "");
    EXPECT_EQ(NextPad().buttons, Pressing({}));

    device.keyboard = Holding({});
    device.joystick.buttons = {};
    NextKeys();
    NextPad();
    device.keyboard = Holding({kZ});
    device.joystick.buttons = Pressing({PadButton::North});
    EXPECT_EQ(HeldCodes(NextKeys()), HeldCodes(Holding({kSpace})));
    EXPECT_EQ(NextPad().buttons, Pressing({PadButton::South}));
}

}  // namespace
}  // namespace kipkip
