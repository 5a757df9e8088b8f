// The menu's pages, values and rebinding, driven command by command as the player would.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "menu/menu.h"

namespace kipkip {
namespace {

constexpr std::uint8_t kEscape = 0x01;
constexpr std::uint8_t kP = 0x19;
constexpr std::uint8_t kZ = 0x2C;
constexpr std::uint8_t kSpace = 0x39;
constexpr std::uint8_t kCursorUp = 0xC8;

class RecordingHost : public MenuHost {
public:
    void Apply(const MenuSettings& settings, MenuItem item) override
    {
        applied.push_back(settings);
        items.push_back(item);
    }
    void Play(MenuSound sound) override { sounds.push_back(sound); }
    void Quit() override { quit = true; }
    void ShowRecords() override { ++recordsShown; }
    bool IsWindowKey(std::uint8_t code) const override { return code == kP || code == kEscape; }

    std::vector<MenuSettings> applied;
    std::vector<MenuItem> items;
    std::vector<MenuSound> sounds;
    bool quit = false;
    int recordsShown = 0;
};

MenuSettings DefaultSettings()
{
    MenuSettings settings;
    settings.bindings.keys = InputState{kCursorUp, 0xD0, 0xCB, 0xCD, kSpace, 0x30, 0x1C};
    return settings;
}

class MenuTest : public ::testing::Test {
protected:
    // Opens the menu and walks to `item` of `page` (Options or Controls).
    void OpenAt(MenuPage page, MenuItem item, bool gameRunning = false)
    {
        menu.Open(gameRunning, DefaultSettings());
        menu.Handle(MenuCommand::Down);
        if (page == MenuPage::Controls) {
            menu.Handle(MenuCommand::Down);
        }
        menu.Handle(MenuCommand::Choose);
        while (menu.Current() != item) {
            menu.Handle(MenuCommand::Down);
        }
    }

    RecordingHost host;
    Menu menu{DefaultSettings(), DefaultSettings(), host};
};

TEST_F(MenuTest, PagesOpenFromTheMainPageAndGoBackToTheirItem)
{
    EXPECT_FALSE(menu.IsOpen());
    EXPECT_EQ(menu.Where(), "closed");
    menu.Open(false, DefaultSettings());
    EXPECT_EQ(menu.Where(), "main/resume");
    menu.Handle(MenuCommand::Up);  // the cursor wraps round
    EXPECT_EQ(menu.Current(), MenuItem::Quit);
    menu.Handle(MenuCommand::Down);
    menu.Handle(MenuCommand::Down);
    menu.Handle(MenuCommand::Choose);
    EXPECT_EQ(menu.Where(), "options/music volume");
    menu.Handle(MenuCommand::Back);
    EXPECT_EQ(menu.Where(), "main/options");
    menu.Handle(MenuCommand::Back);
    EXPECT_FALSE(menu.IsOpen());
    EXPECT_TRUE(host.applied.empty());
}

TEST_F(MenuTest, ResumeAndCloseLeaveFromAnyPage)
{
    menu.Open(false, DefaultSettings());
    menu.Handle(MenuCommand::Choose);
    EXPECT_FALSE(menu.IsOpen());
    OpenAt(MenuPage::Controls, MenuItem::KeyLeft);
    menu.Handle(MenuCommand::Close);
    EXPECT_FALSE(menu.IsOpen());
}

TEST_F(MenuTest, ValuesStepWithinTheirRangesAndEachChangeIsApplied)
{
    const struct {
        MenuItem item;
        MenuCommand command;
        int presses;
        int MenuSettings::*field;
        int expected;
    } cases[] = {
        {MenuItem::MusicVolume, MenuCommand::Left, 3, &MenuSettings::musicVolume, 85},
        {MenuItem::MusicVolume, MenuCommand::Left, 30, &MenuSettings::musicVolume, 0},
        {MenuItem::EffectsVolume, MenuCommand::Right, 2, &MenuSettings::effectsVolume, 100},
        {MenuItem::Scale, MenuCommand::Right, 3, &MenuSettings::scale, 3},
        {MenuItem::Scale, MenuCommand::Right, 12, &MenuSettings::scale, 8},
        {MenuItem::Scale, MenuCommand::Left, 1, &MenuSettings::scale, 0},
        {MenuItem::Speed, MenuCommand::Left, 2, &MenuSettings::speed, 80},
        {MenuItem::Speed, MenuCommand::Left, 9, &MenuSettings::speed, 50},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(MenuItemName(c.item)));
        host.applied.clear();
        OpenAt(MenuPage::Options, c.item);
        for (int i = 0; i < c.presses; ++i) {
            menu.Handle(c.command);
        }
        EXPECT_EQ(menu.Settings().*c.field, c.expected);
        // Only a press that changed the value is applied.
        const int changes = std::abs(c.expected - DefaultSettings().*c.field) /
                            (c.field == &MenuSettings::scale   ? 1
                             : c.field == &MenuSettings::speed ? MenuSettings::kSpeedStep
                                                               : MenuSettings::kVolumeStep);
        ASSERT_EQ(static_cast<int>(host.applied.size()), changes);
        if (changes > 0) {
            EXPECT_EQ(host.applied.back().*c.field, c.expected);
            EXPECT_EQ(host.items.back(), c.item);
        }
    }
}

TEST_F(MenuTest, SwitchesFlipByChoosingOrSideways)
{
    OpenAt(MenuPage::Options, MenuItem::FullScreen);
    menu.Handle(MenuCommand::Choose);
    EXPECT_TRUE(menu.Settings().fullScreen);
    menu.Handle(MenuCommand::Left);
    EXPECT_FALSE(menu.Settings().fullScreen);
    menu.Handle(MenuCommand::Down);
    menu.Handle(MenuCommand::Down);
    menu.Handle(MenuCommand::Right);
    EXPECT_FALSE(menu.Settings().autopause);
    EXPECT_EQ(host.applied.size(), 3u);

    menu.Handle(MenuCommand::Down);
    menu.Handle(MenuCommand::Down);
    ASSERT_EQ(menu.Current(), MenuItem::PaceMarker);
    EXPECT_EQ(menu.Where(), "options/pace marker");
    menu.Handle(MenuCommand::Choose);
    EXPECT_FALSE(menu.Settings().paceMarker);
    EXPECT_FALSE(host.applied.back().paceMarker);
    EXPECT_EQ(host.items.back(), MenuItem::PaceMarker);
    menu.Handle(MenuCommand::Left);
    EXPECT_TRUE(menu.Settings().paceMarker);
    EXPECT_TRUE(host.applied.back().paceMarker);
    EXPECT_EQ(host.applied.size(), 5u);
}

TEST_F(MenuTest, RestoringOptionsBringsThePaceMarkerBack)
{
    OpenAt(MenuPage::Options, MenuItem::PaceMarker);
    menu.Handle(MenuCommand::Choose);
    ASSERT_FALSE(menu.Settings().paceMarker);
    menu.Handle(MenuCommand::Down);
    ASSERT_EQ(menu.Current(), MenuItem::RestoreOptions);
    menu.Handle(MenuCommand::Choose);
    EXPECT_TRUE(menu.Settings().paceMarker);
    EXPECT_TRUE(host.applied.back().paceMarker);
}

TEST_F(MenuTest, TheRecordsAreOfferedOnlyWhileNoGameRuns)
{
    const struct {
        bool gameRunning;
        std::vector<MenuItem> items;
    } cases[] = {
        {false,
         {MenuItem::Resume, MenuItem::Options, MenuItem::Controls, MenuItem::Records,
          MenuItem::Quit}},
        {true, {MenuItem::Resume, MenuItem::Options, MenuItem::Controls, MenuItem::Quit}},
    };
    for (const auto& c : cases) {
        menu.Open(c.gameRunning, DefaultSettings());
        EXPECT_EQ(menu.Items(), c.items) << "game running: " << c.gameRunning;
        // Back from a page lands on its own item, wherever the records put it.
        menu.Handle(MenuCommand::Down);
        menu.Handle(MenuCommand::Down);
        menu.Handle(MenuCommand::Choose);
        menu.Handle(MenuCommand::Back);
        EXPECT_EQ(menu.Where(), "main/controls") << "game running: " << c.gameRunning;
    }
}

TEST_F(MenuTest, ChoosingTheRecordsClosesTheMenuAndAsksTheHostForThem)
{
    menu.Open(false, DefaultSettings());
    menu.Handle(MenuCommand::Up);
    menu.Handle(MenuCommand::Up);
    ASSERT_EQ(menu.Where(), "main/records");
    EXPECT_EQ(host.recordsShown, 0);
    menu.Handle(MenuCommand::Choose);
    EXPECT_FALSE(menu.IsOpen());
    EXPECT_EQ(host.recordsShown, 1);
    EXPECT_FALSE(host.quit);
    EXPECT_TRUE(host.applied.empty());
}

TEST_F(MenuTest, OpeningTakesTheSettingsInForce)
{
    MenuSettings now = DefaultSettings();
    now.fullScreen = true;  // by its key, while the menu was closed
    menu.Open(false, now);
    EXPECT_TRUE(menu.Settings().fullScreen);
}

TEST_F(MenuTest, RestoringOptionsKeepsTheControlsAndTheOtherWayRound)
{
    OpenAt(MenuPage::Options, MenuItem::MusicVolume);
    menu.Handle(MenuCommand::Left);
    menu.Handle(MenuCommand::Back);
    menu.Handle(MenuCommand::Down);
    menu.Handle(MenuCommand::Choose);  // controls: up
    menu.Handle(MenuCommand::Choose);
    menu.KeyPressed(kZ);
    EXPECT_EQ(menu.Settings().bindings.keys.Up, kZ);
    menu.Handle(MenuCommand::Up);  // back
    menu.Handle(MenuCommand::Up);  // restore defaults
    menu.Handle(MenuCommand::Choose);
    EXPECT_EQ(menu.Settings().bindings, DefaultSettings().bindings);
    EXPECT_EQ(menu.Settings().musicVolume, 95);
    menu.Handle(MenuCommand::Back);
    menu.Handle(MenuCommand::Up);
    menu.Handle(MenuCommand::Choose);  // options
    menu.Handle(MenuCommand::Up);
    menu.Handle(MenuCommand::Up);
    menu.Handle(MenuCommand::Choose);  // restore defaults
    EXPECT_EQ(menu.Settings(), DefaultSettings());
}

TEST_F(MenuTest, AKeyBoundElsewhereSwapsSoNoSignalIsLeftWithout)
{
    OpenAt(MenuPage::Controls, MenuItem::KeyButton1);
    menu.Handle(MenuCommand::Choose);
    EXPECT_TRUE(menu.AwaitsKey());
    EXPECT_EQ(menu.Where(), "controls/button 1/waiting");
    menu.Handle(MenuCommand::Down);  // commands wait with the control
    menu.KeyPressed(kCursorUp);
    const InputState& keys = menu.Settings().bindings.keys;
    EXPECT_EQ(keys.Button1, kCursorUp);
    EXPECT_EQ(keys.Up, kSpace);
    EXPECT_FALSE(menu.AwaitsKey());
    ASSERT_EQ(host.applied.size(), 1u);
    EXPECT_EQ(host.applied.back().bindings.keys, keys);
}

TEST_F(MenuTest, EscapeCancelsAndTheWindowsKeysAreRefused)
{
    OpenAt(MenuPage::Controls, MenuItem::KeyUp);
    menu.Handle(MenuCommand::Choose);
    menu.KeyPressed(kP);
    EXPECT_TRUE(menu.AwaitsKey());
    EXPECT_FALSE(menu.Notice().empty());
    menu.KeyPressed(kEscape);
    EXPECT_FALSE(menu.AwaitsKey());
    EXPECT_TRUE(menu.IsOpen());
    EXPECT_EQ(menu.Settings().bindings, DefaultSettings().bindings);
    EXPECT_TRUE(host.applied.empty());
}

TEST_F(MenuTest, AControllerButtonSwapsWithTheGameButtonThatHadIt)
{
    OpenAt(MenuPage::Controls, MenuItem::PadButton1);
    menu.Handle(MenuCommand::Choose);
    EXPECT_TRUE(menu.AwaitsPadButton());
    menu.KeyPressed(kZ);  // a key does not bind a controller button
    EXPECT_TRUE(menu.AwaitsPadButton());
    menu.PadButtonPressed(PadButton::East);
    const auto& buttons = menu.Settings().bindings.padButtons;
    EXPECT_EQ(buttons[0], PadButton::East);
    EXPECT_EQ(buttons[1], PadButton::South);
    EXPECT_EQ(buttons[2], PadButton::West);
    menu.Handle(MenuCommand::Down);
    menu.Handle(MenuCommand::Choose);
    menu.PadButtonPressed(PadButton::Start);  // cancels
    EXPECT_FALSE(menu.AwaitsPadButton());
    EXPECT_EQ(menu.Settings().bindings.padButtons[1], PadButton::South);
}

TEST_F(MenuTest, QuittingAsksFirstOnlyWhileAGameRuns)
{
    menu.Open(true, DefaultSettings());
    menu.Handle(MenuCommand::Up);
    menu.Handle(MenuCommand::Choose);
    EXPECT_EQ(menu.Where(), "quit/no");
    menu.Handle(MenuCommand::Choose);
    EXPECT_EQ(menu.Where(), "main/quit game");
    EXPECT_FALSE(host.quit);
    menu.Handle(MenuCommand::Choose);
    menu.Handle(MenuCommand::Down);
    menu.Handle(MenuCommand::Choose);
    EXPECT_TRUE(host.quit);

    host.quit = false;
    menu.Open(false, DefaultSettings());
    menu.Handle(MenuCommand::Up);
    menu.Handle(MenuCommand::Choose);
    EXPECT_TRUE(host.quit);
}

}  // namespace
}  // namespace kipkip
