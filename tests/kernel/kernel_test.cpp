#include "kernel/kernel.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "device/kivdraw.h"
#include "support/fakedrawing.h"

namespace kipkip {
namespace {

constexpr std::uint8_t kKeyZ = 0x2C;  // the first button's key in the device's own map
constexpr std::uint8_t kKeyA = 0x1E;
constexpr std::uint8_t kKeyS = 0x1F;

struct KernelFixture : testing::Test {
    test::FakeInput port;
    TKivInput input{port};
    test::FakeDrawing screen;
    test::FakeVideo& video = screen.video;
    TKivDraw& draw = screen.draw;
    TKernel kernel{&draw, nullptr, &input, nullptr};

    KernelFixture() { input.Init(); }

    // The ticks (from 1) in which `repeated` had `bit`, over `ticks` ticks of 20 ms.
    std::vector<int> RepeatTicks(std::uint16_t bit, int ticks)
    {
        std::vector<int> fired;
        for (int t = 1; t <= ticks; ++t) {
            kernel.Tick(20);
            if (kernel.repeated & bit) {
                fired.push_back(t);
            }
        }
        return fired;
    }
};

TEST_F(KernelFixture, AJoystickButtonRepeatsAfterTheDelayThenEveryInterval)
{
    port.joystickAttached = true;
    port.joystick.buttons[0] = true;
    EXPECT_EQ(RepeatTicks(BitButton1, 20), (std::vector<int>{1, 10, 13, 16, 19}));
}

TEST_F(KernelFixture, AKeyboardKeyRestartsTheCountdownAfterItsAnyKeyTick)
{
    port.keyboard[kKeyZ] = 0x80;
    EXPECT_EQ(RepeatTicks(BitButton1, 18), (std::vector<int>{1, 11, 14, 17}));
}

TEST_F(KernelFixture, TheMainModesRepeatSettingsFireLater)
{
    kernel.SetKeyRepeat(200, 200);
    port.keyboard[kKeyZ] = 0x80;
    EXPECT_EQ(RepeatTicks(BitButton1, 36), (std::vector<int>{1, 13, 24, 35}));
}

TEST_F(KernelFixture, AHeldSignalIsPressedInItsFirstTickOnly)
{
    port.keyboard[kKeyZ] = 0x80;
    for (int t = 1; t <= 3; ++t) {
        kernel.Tick(20);
        EXPECT_TRUE(kernel.held & BitButton1) << t;
        EXPECT_EQ(bool(kernel.pressed & BitButton1), t == 1) << t;
    }
    EXPECT_EQ(kernel.elapsed, 60);
}

// After 24.8 days of play the clock wraps round to the most negative 32-bit value and counts on.
TEST_F(KernelFixture, TheClockWrapsRoundItsThirtyTwoBits)
{
    kernel.elapsed = INT32_MAX - 9;
    kernel.Tick(20);
    EXPECT_EQ(kernel.elapsed, INT32_MIN + 10);
    kernel.Tick(20);
    EXPECT_EQ(kernel.elapsed, INT32_MIN + 30);
}

TEST_F(KernelFixture, KeysGoingDownRaiseAnyKeyAndNameTheHighest)
{
    port.keyboard[kKeyA] = 0x80;
    port.keyboard[kKeyS] = 0x80;
    kernel.Tick(20);
    EXPECT_EQ(kernel.lastKey, kKeyS);
    EXPECT_EQ(kernel.held & BitAnyKey, BitAnyKey);
    EXPECT_EQ(kernel.pressed & BitAnyKey, BitAnyKey);

    // Held on: no key goes down, so no BitAnyKey at all.
    kernel.Tick(20);
    EXPECT_EQ(kernel.lastKey, -1);
    EXPECT_EQ(kernel.held & BitAnyKey, 0);

    // A key down in each of two ticks: held in both, pressed in the first only.
    port.keyboard[kKeyA] = 0;
    kernel.Tick(20);
    port.keyboard[kKeyA] = 0x80;
    kernel.Tick(20);
    EXPECT_TRUE(kernel.pressed & BitAnyKey);
    port.keyboard[0x10] = 0x80;
    kernel.Tick(20);
    EXPECT_TRUE(kernel.held & BitAnyKey);
    EXPECT_FALSE(kernel.pressed & BitAnyKey);
}

TEST(Kernel, WithoutAnInputDeviceOnlyTheClockRuns)
{
    TKernel kernel(nullptr, nullptr, nullptr, nullptr);
    kernel.Tick(20);
    kernel.Tick(20);
    EXPECT_EQ(kernel.elapsed, 40);
    EXPECT_EQ(kernel.lastKey, 0);
    EXPECT_EQ(kernel.held, 0);
}

TEST(KernelPresent, ClearsOrFadesAsAskedThenShows)
{
    struct Case {
        const char* what;
        std::uint8_t clearScreen;
        std::int32_t fadeLevel;
        std::uint8_t fadeWhite;
        std::uint16_t pixel;
    };
    const std::uint16_t grey = (16u << 11) | (32u << 5) | 16u;
    const Case cases[] = {
        {"nothing asked", 0, 0, 0, grey},
        {"level 0 towards white: no fade", 0, 0, 1, grey},
        {"towards black", 0, 8, 0, (15u << 11) | (30u << 5) | 15u},
        {"towards white", 0, 8, 1, (17u << 11) | (34u << 5) | 17u},
        {"another fadeWhite value: no fade", 0, 8, 2, grey},
        {"clear wins over the fade", 1, 8, 0, 0},
    };
    for (const Case& c : cases) {
        test::FakeDrawing screen;
        test::FakeVideo& video = screen.video;
        TKivDraw& draw = screen.draw;
        ASSERT_TRUE(draw.Init(1, 1, false, 16));
        draw.WorkSurface().SetPixel(0, 0, grey);
        TKernel kernel(&draw, nullptr, nullptr, nullptr);
        kernel.clearScreen = c.clearScreen;
        kernel.fadeLevel = c.fadeLevel;
        kernel.fadeWhite = c.fadeWhite;
        kernel.Present();
        EXPECT_EQ(video.presents, 1) << c.what;
        EXPECT_EQ(draw.WorkSurface().Pixel(0, 0), c.pixel) << c.what;
    }
}

}  // namespace
}  // namespace kipkip
