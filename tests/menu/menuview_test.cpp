// The menu as it is drawn on the game's frame: each item's value as the player reads it, and
// the frame dimmed behind a panel only while the menu is open.
#include "menu/menuview.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <optional>
#include <string>
#include <utility>

#include "platform/pixelformats.h"

namespace kipkip {
namespace {

// Colours in 5-6-5, worked out by hand.
constexpr std::uint32_t kBackdrop = 0xFFFF;
constexpr std::uint32_t kDimmedBackdrop = 0x7BEF;
constexpr std::uint32_t kOutline565 = 0x1083;  // 0x10101C
constexpr std::uint32_t kFace565 = 0x18E5;     // 0x1A1C2C
constexpr std::uint32_t kHeading565 = 0x777E;  // 0x73EFF7
constexpr std::uint32_t kChosen565 = 0xFF64;   // 0xFFEC27
constexpr std::uint32_t kText565 = 0xF7BE;     // 0xF4F4F4

class QuietHost : public MenuHost {
public:
    void Apply(const MenuSettings&, MenuItem) override {}
    void Play(MenuSound) override {}
    void Quit() override {}
    void ShowRecords() override {}
    bool IsWindowKey(std::uint8_t) const override { return false; }
};

// Key names as a keyboard layout might give them, some of which the font cannot draw.
std::string KeyName(std::uint8_t code)
{
    switch (code) {
        case 0x39:
            return "space";
        case 0x2A:
            return "left shift";
        case 0x2B:
            return "\xC3\xA4";  // an a-umlaut in UTF-8
        case 0x1A:
            return "{";
        case 0x33:
            return ",";
        default:
            return "";
    }
}

class MenuViewTest : public ::testing::Test {
protected:
    MenuViewTest() : font(MenuFont::BuiltIn()) {}

    std::optional<MenuFont> font;
    QuietHost host;
};

TEST_F(MenuViewTest, ShowsEachValueAsThePlayerReadsIt)
{
    ASSERT_TRUE(font);
    const MenuView view(*font, KeyName);
    MenuSettings settings;
    settings.musicVolume = 35;
    settings.effectsVolume = 0;
    settings.fullScreen = true;
    settings.vsync = false;
    settings.autopause = true;
    settings.speed = 70;
    settings.paceMarker = true;
    settings.bindings.keys = InputState{0x39, 0x2A, 0x2B, 0x1A, 0x33, 0x05, 0xC8};
    settings.bindings.padButtons = {PadButton::North, PadButton::LeftShoulder,
                                    PadButton::RightShoulder};
    MenuSettings other = settings;
    other.scale = 3;
    other.fullScreen = false;
    other.vsync = true;
    other.autopause = false;
    other.paceMarker = false;
    other.bindings.padButtons = {PadButton::South, PadButton::East, PadButton::West};

    const struct {
        const MenuSettings& settings;
        MenuItem item;
        std::string value;
    } cases[] = {
        {settings, MenuItem::MusicVolume, "35"},
        {settings, MenuItem::EffectsVolume, "0"},
        {settings, MenuItem::Scale, "AUTO"},
        {other, MenuItem::Scale, "3X"},
        {settings, MenuItem::FullScreen, "ON"},
        {other, MenuItem::FullScreen, "OFF"},
        {settings, MenuItem::Vsync, "OFF"},
        {other, MenuItem::Vsync, "ON"},
        {settings, MenuItem::Autopause, "ON"},
        {other, MenuItem::Autopause, "OFF"},
        {settings, MenuItem::Speed, "70%"},
        {settings, MenuItem::PaceMarker, "ON"},
        {other, MenuItem::PaceMarker, "OFF"},
        // Key names upper-cased; one the font cannot draw, or no name at all, by its code.
        {settings, MenuItem::KeyUp, "SPACE"},
        {settings, MenuItem::KeyDown, "LEFT SHIFT"},
        {settings, MenuItem::KeyLeft, "KEY 2B"},
        {settings, MenuItem::KeyRight, "KEY 1A"},
        {settings, MenuItem::KeyButton1, ","},
        {settings, MenuItem::KeyButton2, "KEY 05"},
        {settings, MenuItem::KeyButton3, "KEY C8"},
        {settings, MenuItem::PadButton1, "Y"},
        {settings, MenuItem::PadButton2, "LB"},
        {settings, MenuItem::PadButton3, "RB"},
        {other, MenuItem::PadButton1, "A"},
        {other, MenuItem::PadButton2, "B"},
        {other, MenuItem::PadButton3, "X"},
        // Items that are no settings have no value.
        {settings, MenuItem::Resume, ""},
        {settings, MenuItem::Records, ""},
        {settings, MenuItem::RestoreControls, ""},
        {settings, MenuItem::QuitYes, ""},
    };
    for (const auto& c : cases) {
        const Menu menu(c.settings, c.settings, host);
        EXPECT_EQ(view.Value(menu, c.item), c.value) << MenuItemName(c.item);
    }
}

// How many pixels of the rows from `top` (inclusive) to `bottom` (exclusive) have the value.
int Count(const Surface& frame, int top, int bottom, std::uint32_t value)
{
    int count = 0;
    for (int y = top; y < bottom; ++y) {
        for (int x = 0; x < frame.Width(); ++x) {
            count += frame.Pixel(x, y) == value ? 1 : 0;
        }
    }
    return count;
}

TEST_F(MenuViewTest, DrawsNothingClosedAndOpenDimsTheFrameAroundItsPanel)
{
    ASSERT_TRUE(font);
    const MenuView view(*font, KeyName);
    Menu menu(MenuSettings{}, MenuSettings{}, host);
    Surface frame(320, 240, pixelformats::kRgb565);
    frame.Fill(kBackdrop);
    view.Draw(frame, menu);
    EXPECT_EQ(Count(frame, 0, 240, kBackdrop), 320 * 240) << "closed";

    // The title's main page: five items, so a panel 232 wide and 111 high in the middle of the
    // frame.
    menu.Open(false, MenuSettings{});
    view.Draw(frame, menu);
    const int left = 44;
    const int right = 276;  // exclusive
    const int top = 64;
    const int bottom = 175;
    for (const auto& [x, y] : {std::pair{0, 0},
                               {319, 239},
                               {left - 1, 120},
                               {right, 120},
                               {160, top - 1},
                               {160, bottom}}) {
        EXPECT_EQ(frame.Pixel(x, y), kDimmedBackdrop) << x << "," << y;
    }
    for (const auto& [x, y] :
         {std::pair{left, 120}, {right - 1, 120}, {160, top}, {160, bottom - 1}}) {
        EXPECT_EQ(frame.Pixel(x, y), kOutline565) << x << "," << y;
    }
    EXPECT_EQ(frame.Pixel(left + 5, 120), kFace565);
    EXPECT_EQ(Count(frame, 0, 240, kBackdrop), 0) << "nothing left undimmed";

    // The heading, the chosen first line in yellow and the others in white, in their rows.
    const int heading = top + 10;
    const int firstItem = heading + 16;
    EXPECT_GT(Count(frame, heading, heading + 9, kHeading565), 0);
    EXPECT_EQ(Count(frame, firstItem, bottom, kHeading565), 0);
    EXPECT_GT(Count(frame, firstItem, firstItem + 9, kChosen565), 0);
    EXPECT_EQ(Count(frame, firstItem, firstItem + 9, kText565), 0);
    EXPECT_GT(Count(frame, firstItem + 12, firstItem + 21, kText565), 0);
    EXPECT_EQ(Count(frame, firstItem + 12, bottom, kChosen565), 0);
}

}  // namespace
}  // namespace kipkip
