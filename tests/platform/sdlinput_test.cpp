#include "platform/sdl/sdlinput.h"

#include <SDL.h>
#include <gtest/gtest.h>

#include <array>
#include <vector>

#include "platform/padnames.h"

namespace kipkip {
namespace {

TEST(SdlInputAxes, ScaleToPlusMinus100CutTowardZero)
{
    const std::pair<std::int16_t, int> cases[] = {
        {-32768, -100},
        {32767, 100},
        {0, 0},
        // Half the stick each way is 50, still centred for the game; 51 needs the same travel
        // on both sides.
        {-16384, -50},
        {-16711, -50},
        {-16712, -51},
        {16383, 49},
        {16384, 50},
        {16711, 50},
        {16712, 51},
        {-327, 0},
        {327, 0},
        {-328, -1},
    };
    for (const auto& [value, scaled] : cases) {
        EXPECT_EQ(ScaleAxis(value), scaled) << value;
    }
}

TEST(SdlInputAxes, TheDpadPushesItsAxisFullyOverTheStick)
{
    PadSnapshot pad;
    pad.stickX = 20000;
    pad.stickY = -20000;
    pad.buttons = {true, false, true, false, false, true, true};
    JoystickReading plain = ReadingFromPad(pad);
    EXPECT_EQ(plain.x, 61);
    EXPECT_EQ(plain.y, -61);
    EXPECT_EQ(plain.buttons, pad.buttons);

    pad.dpadLeft = true;
    pad.dpadDown = true;
    JoystickReading pushed = ReadingFromPad(pad);
    EXPECT_EQ(pushed.x, -100);
    EXPECT_EQ(pushed.y, 100);

    // Opposite directions at once (a worn pad, a hat that reports nonsense) leave the stick.
    pad.dpadRight = true;
    pad.dpadUp = true;
    JoystickReading both = ReadingFromPad(pad);
    EXPECT_EQ(both.x, 61);
    EXPECT_EQ(both.y, -61);
}

// The controller's buttons a reading holds, and where.
constexpr std::pair<SDL_GameControllerButton, PadButton> kReadButtons[] = {
    {SDL_CONTROLLER_BUTTON_A, PadButton::South},
    {SDL_CONTROLLER_BUTTON_B, PadButton::East},
    {SDL_CONTROLLER_BUTTON_X, PadButton::West},
    {SDL_CONTROLLER_BUTTON_Y, PadButton::North},
    {SDL_CONTROLLER_BUTTON_LEFTSHOULDER, PadButton::LeftShoulder},
    {SDL_CONTROLLER_BUTTON_RIGHTSHOULDER, PadButton::RightShoulder},
    {SDL_CONTROLLER_BUTTON_START, PadButton::Start},
};

// The names scripts, recordings and settings give the buttons are SDL's own for the buttons the
// reading takes them from, and read back as the same place.
TEST(SdlInputButtons, AreNamedAsSdlNamesThem)
{
    for (const auto& [sdl, place] : kReadButtons) {
        const char* name = SDL_GameControllerGetStringForButton(sdl);
        ASSERT_NE(name, nullptr);
        EXPECT_EQ(PadButtonName(place), name);
        EXPECT_EQ(PadButtonFromName(name), place) << name;
    }
    for (const char* other : {"back", "guide", "leftstick", "dpup", "", "a ", "1"}) {
        EXPECT_EQ(PadButtonFromName(other), std::nullopt) << other;
    }
}

SDL_Event KeyEvent(Uint32 type, SDL_Scancode scancode, Uint8 repeat = 0)
{
    SDL_Event event{};
    event.type = type;
    event.key.state = type == SDL_KEYDOWN ? SDL_PRESSED : SDL_RELEASED;
    event.key.repeat = repeat;
    event.key.keysym.scancode = scancode;
    return event;
}

SDL_Event WindowEvent(Uint8 what)
{
    SDL_Event event{};
    event.type = SDL_WINDOWEVENT;
    event.window.event = what;
    return event;
}

std::uint8_t Key(SdlInput& input, std::uint8_t code)
{
    KeyboardState keys;
    keys.fill(0xEE);
    EXPECT_EQ(input.ReadKeyboard(keys), InputPort::ReadResult::Ok);
    return keys[code];
}

constexpr std::uint8_t kSpaceKey = 0x39;
constexpr std::uint8_t kLeftKey = 0xCB;

TEST(SdlInputKeyboard, KeyEventsHoldAndReleaseByKeyCode)
{
    SdlInput input;
    input.HandleEvent(KeyEvent(SDL_KEYDOWN, SDL_SCANCODE_SPACE));
    input.HandleEvent(KeyEvent(SDL_KEYDOWN, SDL_SCANCODE_LEFT));
    KeyboardState keys;
    ASSERT_EQ(input.ReadKeyboard(keys), InputPort::ReadResult::Ok);
    KeyboardState expected{};
    expected[kSpaceKey] = 0x80;
    expected[kLeftKey] = 0x80;
    EXPECT_EQ(keys, expected);

    EXPECT_EQ(Key(input, kSpaceKey), 0x80) << "held across reads";
    input.HandleEvent(KeyEvent(SDL_KEYUP, SDL_SCANCODE_SPACE));
    EXPECT_EQ(Key(input, kSpaceKey), 0);
    EXPECT_EQ(Key(input, kLeftKey), 0x80);
}

TEST(SdlInputKeyboard, ATapWithinOneTickIsHeldForOneRead)
{
    SdlInput input;
    input.HandleEvent(KeyEvent(SDL_KEYDOWN, SDL_SCANCODE_SPACE));
    input.HandleEvent(KeyEvent(SDL_KEYUP, SDL_SCANCODE_SPACE));
    EXPECT_EQ(Key(input, kSpaceKey), 0x80);
    EXPECT_EQ(Key(input, kSpaceKey), 0);

    // Released and pressed again between two reads: held in both.
    input.HandleEvent(KeyEvent(SDL_KEYDOWN, SDL_SCANCODE_SPACE));
    EXPECT_EQ(Key(input, kSpaceKey), 0x80);
    input.HandleEvent(KeyEvent(SDL_KEYUP, SDL_SCANCODE_SPACE));
    input.HandleEvent(KeyEvent(SDL_KEYDOWN, SDL_SCANCODE_SPACE));
    EXPECT_EQ(Key(input, kSpaceKey), 0x80);
    EXPECT_EQ(Key(input, kSpaceKey), 0x80);
}

TEST(SdlInputKeyboard, AutoRepeatIsIgnored)
{
    SdlInput input;
    input.HandleEvent(KeyEvent(SDL_KEYDOWN, SDL_SCANCODE_SPACE, 1));
    EXPECT_EQ(Key(input, kSpaceKey), 0) << "a repeat alone is no press";

    input.HandleEvent(KeyEvent(SDL_KEYDOWN, SDL_SCANCODE_SPACE));
    EXPECT_EQ(Key(input, kSpaceKey), 0x80);
    input.HandleEvent(KeyEvent(SDL_KEYUP, SDL_SCANCODE_SPACE));
    input.HandleEvent(KeyEvent(SDL_KEYDOWN, SDL_SCANCODE_SPACE, 1));
    EXPECT_EQ(Key(input, kSpaceKey), 0) << "a late repeat does not press the key again";
}

TEST(SdlInputKeyboard, LosingTheFocusReleasesEveryKeyEvenATap)
{
    SdlInput input;
    input.HandleEvent(KeyEvent(SDL_KEYDOWN, SDL_SCANCODE_LEFT));
    input.HandleEvent(KeyEvent(SDL_KEYDOWN, SDL_SCANCODE_SPACE));
    input.HandleEvent(KeyEvent(SDL_KEYUP, SDL_SCANCODE_SPACE));
    input.HandleEvent(WindowEvent(SDL_WINDOWEVENT_FOCUS_GAINED));
    EXPECT_EQ(Key(input, kLeftKey), 0x80) << "other window events change nothing";

    input.HandleEvent(KeyEvent(SDL_KEYDOWN, SDL_SCANCODE_SPACE));
    input.HandleEvent(WindowEvent(SDL_WINDOWEVENT_FOCUS_LOST));
    KeyboardState keys;
    input.ReadKeyboard(keys);
    EXPECT_EQ(keys, KeyboardState{});
}

TEST(SdlInputKeyboard, KeysWithoutACodeAndOutOfRangeScancodesChangeNothing)
{
    SdlInput input;
    input.HandleEvent(KeyEvent(SDL_KEYDOWN, SDL_SCANCODE_MUTE));
    input.HandleEvent(KeyEvent(SDL_KEYDOWN, SDL_SCANCODE_UNKNOWN));
    input.HandleEvent(KeyEvent(SDL_KEYDOWN, static_cast<SDL_Scancode>(SDL_NUM_SCANCODES)));
    KeyboardState keys;
    input.ReadKeyboard(keys);
    EXPECT_EQ(keys, KeyboardState{});
}

TEST(SdlInputKeyboard, ControllerEventsBeforeOpenAreIgnored)
{
    SdlInput input;
    SDL_Event added{};
    added.type = SDL_CONTROLLERDEVICEADDED;
    added.cdevice.which = 0;
    input.HandleEvent(added);
    EXPECT_FALSE(input.HasJoystick());
    JoystickReading reading;
    EXPECT_FALSE(input.PollJoystick(reading));
}

// Pads made by SDL itself: a game controller with SDL's standard layout, or a bare joystick
// with two axes, one hat and eight buttons. SDL drops pad input while no window has the focus,
// and here none ever has, unless told otherwise. The test keeps SDL's controller support up
// itself, so its pads outlive the port's Close.
class SdlInputPads : public testing::Test {
protected:
    void SetUp() override
    {
        SDL_SetHint(SDL_HINT_JOYSTICK_ALLOW_BACKGROUND_EVENTS, "1");
        ASSERT_EQ(SDL_Init(SDL_INIT_GAMECONTROLLER), 0) << SDL_GetError();
        ASSERT_TRUE(input.Open());
    }

    void TearDown() override
    {
        for (SDL_Joystick* handle : handles) {
            SDL_JoystickClose(handle);
        }
        input.Close();
        SDL_Quit();
    }

    // Attaches a pad and returns the test's own handle to drive it.
    SDL_Joystick* Attach(bool controller)
    {
        SDL_VirtualJoystickDesc desc{};
        desc.version = SDL_VIRTUAL_JOYSTICK_DESC_VERSION;
        if (controller) {
            desc.type = SDL_JOYSTICK_TYPE_GAMECONTROLLER;
            desc.naxes = SDL_CONTROLLER_AXIS_MAX;
            desc.nbuttons = SDL_CONTROLLER_BUTTON_MAX;
        } else {
            desc.type = SDL_JOYSTICK_TYPE_UNKNOWN;
            desc.naxes = 2;
            desc.nhats = 1;
            desc.nbuttons = 8;
        }
        int index = SDL_JoystickAttachVirtualEx(&desc);
        EXPECT_GE(index, 0) << SDL_GetError();
        SDL_Joystick* handle = SDL_JoystickOpen(index);
        EXPECT_NE(handle, nullptr) << SDL_GetError();
        handles.push_back(handle);
        return handle;
    }

    void Detach(SDL_Joystick* handle)
    {
        SDL_JoystickID id = SDL_JoystickInstanceID(handle);
        std::erase(handles, handle);
        SDL_JoystickClose(handle);
        for (int i = 0; i < SDL_NumJoysticks(); ++i) {
            if (SDL_JoystickGetDeviceInstanceID(i) == id) {
                SDL_JoystickDetachVirtual(i);
            }
        }
    }

    // What the window's event pump does.
    void Pump()
    {
        SDL_Event event;
        while (SDL_PollEvent(&event) != 0) {
            input.HandleEvent(event);
        }
    }

    JoystickReading Poll()
    {
        JoystickReading reading;
        reading.x = 999;
        EXPECT_TRUE(input.PollJoystick(reading));
        return reading;
    }

    SdlInput input;
    std::vector<SDL_Joystick*> handles;
};

TEST_F(SdlInputPads, AControllerIsReadThroughItsStandardLayout)
{
    EXPECT_FALSE(input.HasJoystick());
    SDL_Joystick* pad = Attach(true);
    Pump();
    ASSERT_TRUE(input.HasJoystick()) << "plugged in while the game runs";

    SDL_JoystickSetVirtualAxis(pad, SDL_CONTROLLER_AXIS_LEFTX, -20000);
    SDL_JoystickSetVirtualButton(pad, SDL_CONTROLLER_BUTTON_DPAD_DOWN, 1);
    Pump();
    JoystickReading reading = Poll();
    EXPECT_EQ(reading.x, -61);
    EXPECT_EQ(reading.y, 100);
    EXPECT_EQ(reading.buttons, (std::array<bool, kPadButtonCount>{}));

    // Each button alone lights its own place in the reading and no other; the D-pad, the
    // sticks' clicks and the guide button are none of them.
    for (SDL_GameControllerButton other :
         {SDL_CONTROLLER_BUTTON_BACK, SDL_CONTROLLER_BUTTON_GUIDE, SDL_CONTROLLER_BUTTON_LEFTSTICK,
          SDL_CONTROLLER_BUTTON_RIGHTSTICK}) {
        SDL_JoystickSetVirtualButton(pad, other, 1);
    }
    for (const auto& [button, place] : kReadButtons) {
        SDL_JoystickSetVirtualButton(pad, button, 1);
        Pump();
        JoystickReading expected;
        expected.Button(place) = true;
        EXPECT_EQ(Poll().buttons, expected.buttons) << static_cast<int>(place);
        SDL_JoystickSetVirtualButton(pad, button, 0);
    }

    SDL_JoystickSetVirtualButton(pad, SDL_CONTROLLER_BUTTON_DPAD_DOWN, 0);
    SDL_JoystickSetVirtualAxis(pad, SDL_CONTROLLER_AXIS_LEFTY, 32767);
    Pump();
    reading = Poll();
    EXPECT_EQ(reading.y, 100);

    Detach(pad);
    Pump();
    EXPECT_FALSE(input.HasJoystick());
    EXPECT_FALSE(input.PollJoystick(reading));
}

TEST_F(SdlInputPads, ABareJoystickGivesAxesHatAndFirstSevenButtons)
{
    SDL_Joystick* pad = Attach(false);
    Pump();
    ASSERT_TRUE(input.HasJoystick());

    SDL_JoystickSetVirtualAxis(pad, 1, -32768);
    SDL_JoystickSetVirtualHat(pad, 0, SDL_HAT_RIGHT);
    SDL_JoystickSetVirtualButton(pad, 2, 1);
    SDL_JoystickSetVirtualButton(pad, 6, 1);
    SDL_JoystickSetVirtualButton(pad, 7, 1);  // past the buttons a reading holds
    Pump();
    JoystickReading reading = Poll();
    EXPECT_EQ(reading.x, 100);
    EXPECT_EQ(reading.y, -100);
    EXPECT_EQ(reading.buttons,
              (std::array<bool, kPadButtonCount>{false, false, true, false, false, false, true}));
}

TEST_F(SdlInputPads, WhenTheOpenPadLeavesTheNextOneIsTaken)
{
    SDL_Joystick* first = Attach(true);
    SDL_Joystick* second = Attach(false);
    Pump();
    SDL_JoystickSetVirtualAxis(first, SDL_CONTROLLER_AXIS_LEFTX, 32767);
    SDL_JoystickSetVirtualAxis(second, 0, -32768);
    Pump();
    EXPECT_EQ(Poll().x, 100) << "the first pad is the one read";

    Detach(second);
    Pump();
    EXPECT_EQ(Poll().x, 100) << "another pad leaving changes nothing";

    SDL_Joystick* third = Attach(false);
    SDL_JoystickSetVirtualAxis(third, 0, -32768);
    Pump();
    EXPECT_EQ(Poll().x, 100) << "a new pad does not displace the open one";

    Detach(first);
    Pump();
    ASSERT_TRUE(input.HasJoystick());
    EXPECT_EQ(Poll().x, -100);
}

TEST_F(SdlInputPads, APadAttachedBeforeOpenIsOpenedAtOnce)
{
    input.Close();
    Attach(true);
    ASSERT_TRUE(input.Open());
    EXPECT_TRUE(input.HasJoystick()) << "before any event is pumped";
}

}  // namespace
}  // namespace kipkip
