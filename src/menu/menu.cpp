#include "menu/menu.h"

#include <algorithm>
#include <array>
#include <cctype>

namespace kipkip {
namespace {

constexpr std::uint8_t kEscapeKey = 0x01;

// The records come after the items a game's menu has too, so each of those keeps its place.
const std::vector<MenuItem>& ItemsOf(MenuPage page, bool gameRunning)
{
    static const std::vector<MenuItem> kMain = {MenuItem::Resume, MenuItem::Options,
                                                MenuItem::Controls, MenuItem::Quit};
    static const std::vector<MenuItem> kMainWithoutGame = {
        MenuItem::Resume, MenuItem::Options, MenuItem::Controls, MenuItem::Records, MenuItem::Quit};
    static const std::vector<MenuItem> kOptions = {
        MenuItem::MusicVolume,    MenuItem::EffectsVolume, MenuItem::Scale, MenuItem::FullScreen,
        MenuItem::Vsync,          MenuItem::Autopause,     MenuItem::Speed, MenuItem::PaceMarker,
        MenuItem::RestoreOptions, MenuItem::Back};
    static const std::vector<MenuItem> kControls = {
        MenuItem::KeyUp,      MenuItem::KeyDown,    MenuItem::KeyLeft,         MenuItem::KeyRight,
        MenuItem::KeyButton1, MenuItem::KeyButton2, MenuItem::KeyButton3,      MenuItem::PadButton1,
        MenuItem::PadButton2, MenuItem::PadButton3, MenuItem::RestoreControls, MenuItem::Back};
    static const std::vector<MenuItem> kConfirmQuit = {MenuItem::QuitNo, MenuItem::QuitYes};
    switch (page) {
        case MenuPage::Options:
            return kOptions;
        case MenuPage::Controls:
            return kControls;
        case MenuPage::ConfirmQuit:
            return kConfirmQuit;
        case MenuPage::Closed:
        case MenuPage::Main:
            break;
    }
    return gameRunning ? kMain : kMainWithoutGame;
}

// The signal a key item binds, in InputState's order.
std::size_t SignalOf(MenuItem item)
{
    return static_cast<std::size_t>(item) - static_cast<std::size_t>(MenuItem::KeyUp);
}

std::size_t GameButtonOf(MenuItem item)
{
    return static_cast<std::size_t>(item) - static_cast<std::size_t>(MenuItem::PadButton1);
}

int Stepped(int value, int step, int lowest, int highest)
{
    return std::clamp(value + step, lowest, highest);
}

// Whichever other slot holds `value` takes the slot's old value, so nothing is left unbound.
template <typename Value, typename Slot>
void Swap(Value value, std::size_t slot, std::size_t count, Slot at)
{
    for (std::size_t other = 0; other < count; ++other) {
        if (other != slot && at(other) == value) {
            at(other) = at(slot);
        }
    }
    at(slot) = value;
}

}  // namespace

bool Menu::IsPadItem(MenuItem item)
{
    return item >= MenuItem::PadButton1 && item <= MenuItem::PadButton3;
}

bool Menu::IsKeyItem(MenuItem item)
{
    return item >= MenuItem::KeyUp && item <= MenuItem::KeyButton3;
}

void Menu::Open(bool gameRunning, const MenuSettings& settings)
{
    gameRunning_ = gameRunning;
    settings_ = settings;
    notice_.clear();
    Enter(MenuPage::Main);
}

void Menu::Close()
{
    page_ = MenuPage::Closed;
    awaiting_ = false;
    cursor_ = 0;
}

const std::vector<MenuItem>& Menu::Items() const
{
    return ItemsOf(page_, gameRunning_);
}

std::size_t Menu::IndexOf(MenuPage page, MenuItem item) const
{
    const std::vector<MenuItem>& items = ItemsOf(page, gameRunning_);
    return static_cast<std::size_t>(std::find(items.begin(), items.end(), item) - items.begin());
}

void Menu::Enter(MenuPage page, std::size_t cursor)
{
    page_ = page;
    cursor_ = cursor;
    awaiting_ = false;
}

void Menu::Handle(MenuCommand command)
{
    if (!IsOpen() || awaiting_) {
        return;
    }
    switch (command) {
        case MenuCommand::Up:
            Move(-1);
            break;
        case MenuCommand::Down:
            Move(1);
            break;
        case MenuCommand::Left:
            Change(-1);
            break;
        case MenuCommand::Right:
            Change(1);
            break;
        case MenuCommand::Choose:
            Choose();
            break;
        case MenuCommand::Back:
            Back();
            break;
        case MenuCommand::Close:
            Close();
            host_.Play(MenuSound::Choose);
            break;
    }
}

void Menu::Move(int step)
{
    const auto count = static_cast<int>(Items().size());
    cursor_ = static_cast<std::size_t>((static_cast<int>(cursor_) + step + count) % count);
    notice_.clear();
    host_.Play(MenuSound::Move);
}

void Menu::Choose()
{
    const MenuItem item = Current();
    notice_.clear();
    host_.Play(MenuSound::Choose);
    switch (item) {
        case MenuItem::Resume:
            Close();
            return;
        case MenuItem::Options:
            Enter(MenuPage::Options);
            return;
        case MenuItem::Controls:
            Enter(MenuPage::Controls);
            return;
        case MenuItem::Records:
            Close();
            host_.ShowRecords();
            return;
        case MenuItem::Quit:
            if (gameRunning_) {
                Enter(MenuPage::ConfirmQuit);
            } else {
                host_.Quit();
            }
            return;
        case MenuItem::QuitYes:
            host_.Quit();
            return;
        case MenuItem::QuitNo:
        case MenuItem::Back:
            Back();
            return;
        case MenuItem::FullScreen:
        case MenuItem::Vsync:
        case MenuItem::Autopause:
        case MenuItem::PaceMarker:
            Change(1);
            return;
        case MenuItem::RestoreOptions: {
            const Bindings bindings = settings_.bindings;
            settings_ = defaults_;
            settings_.bindings = bindings;
            Changed(item);
            return;
        }
        case MenuItem::RestoreControls:
            settings_.bindings = defaults_.bindings;
            Changed(item);
            return;
        default:
            awaiting_ = IsKeyItem(item) || IsPadItem(item);
            return;
    }
}

void Menu::Back()
{
    host_.Play(MenuSound::Choose);
    switch (page_) {
        case MenuPage::Main:
        case MenuPage::Closed:
            Close();
            break;
        case MenuPage::Options:
            Enter(MenuPage::Main, IndexOf(MenuPage::Main, MenuItem::Options));
            break;
        case MenuPage::Controls:
            Enter(MenuPage::Main, IndexOf(MenuPage::Main, MenuItem::Controls));
            break;
        case MenuPage::ConfirmQuit:
            Enter(MenuPage::Main, IndexOf(MenuPage::Main, MenuItem::Quit));
            break;
    }
}

void Menu::Change(int direction)
{
    const MenuItem item = Current();
    const MenuSettings before = settings_;
    switch (item) {
        case MenuItem::MusicVolume:
            settings_.musicVolume =
                Stepped(settings_.musicVolume, direction * MenuSettings::kVolumeStep, 0, 100);
            break;
        case MenuItem::EffectsVolume:
            settings_.effectsVolume =
                Stepped(settings_.effectsVolume, direction * MenuSettings::kVolumeStep, 0, 100);
            break;
        case MenuItem::Scale:
            settings_.scale = Stepped(settings_.scale, direction, 0, MenuSettings::kMaxScale);
            break;
        case MenuItem::FullScreen:
            settings_.fullScreen = !settings_.fullScreen;
            break;
        case MenuItem::Vsync:
            settings_.vsync = !settings_.vsync;
            break;
        case MenuItem::Autopause:
            settings_.autopause = !settings_.autopause;
            break;
        case MenuItem::PaceMarker:
            settings_.paceMarker = !settings_.paceMarker;
            break;
        case MenuItem::Speed:
            settings_.speed = Stepped(settings_.speed, direction * MenuSettings::kSpeedStep,
                                      MenuSettings::kSlowestSpeed, 100);
            break;
        default:
            return;
    }
    if (!(settings_ == before)) {
        notice_.clear();
        Changed(item);
    }
}

// The effects volume is heard at once: the menu's own sounds play at it.
void Menu::Changed(MenuItem item)
{
    host_.Apply(settings_, item);
    host_.Play(MenuSound::Move);
}

void Menu::KeyPressed(std::uint8_t code)
{
    if (!awaiting_) {
        return;
    }
    if (code == kEscapeKey) {
        Cancel();
        return;
    }
    if (AwaitsPadButton()) {
        return;
    }
    if (host_.IsWindowKey(code)) {
        notice_ = "THAT KEY IS THE WINDOW'S OWN";
        return;
    }
    const MenuItem item = Current();
    Swap(code, SignalOf(item), kInputSignals.size(), [this](std::size_t i) -> std::uint8_t& {
        return settings_.bindings.keys.*kInputSignals[i];
    });
    awaiting_ = false;
    Changed(item);
}

void Menu::PadButtonPressed(PadButton button)
{
    if (!awaiting_) {
        return;
    }
    if (button == PadButton::Start) {
        Cancel();
        return;
    }
    if (AwaitsKey()) {
        return;
    }
    const MenuItem item = Current();
    Swap(button, GameButtonOf(item), settings_.bindings.padButtons.size(),
         [this](std::size_t i) -> PadButton& { return settings_.bindings.padButtons[i]; });
    awaiting_ = false;
    Changed(item);
}

void Menu::Cancel()
{
    awaiting_ = false;
    notice_.clear();
    host_.Play(MenuSound::Choose);
}

std::string Menu::Where() const
{
    if (!IsOpen()) {
        return "closed";
    }
    std::string where =
        std::string(MenuPageName(page_)) + "/" + std::string(MenuItemName(Current()));
    std::transform(where.begin(), where.end(), where.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return awaiting_ ? where + "/waiting" : where;
}

std::string_view MenuPageName(MenuPage page)
{
    static constexpr std::array<std::string_view, 5> kNames = {"closed", "main", "options",
                                                               "controls", "quit"};
    return kNames[static_cast<std::size_t>(page)];
}

std::string_view MenuItemName(MenuItem item)
{
    static constexpr std::array<std::string_view, 28> kNames = {"RESUME",
                                                                "OPTIONS",
                                                                "CONTROLS",
                                                                "RECORDS",
                                                                "QUIT GAME",
                                                                "MUSIC VOLUME",
                                                                "EFFECTS VOLUME",
                                                                "WINDOW SCALE",
                                                                "FULL SCREEN",
                                                                "VSYNC",
                                                                "AUTOPAUSE",
                                                                "GAME SPEED",
                                                                "PACE MARKER",
                                                                "RESTORE DEFAULTS",
                                                                "UP",
                                                                "DOWN",
                                                                "LEFT",
                                                                "RIGHT",
                                                                "BUTTON 1",
                                                                "BUTTON 2",
                                                                "BUTTON 3",
                                                                "PAD BUTTON 1",
                                                                "PAD BUTTON 2",
                                                                "PAD BUTTON 3",
                                                                "RESTORE DEFAULTS",
                                                                "BACK",
                                                                "NO",
                                                                "YES"};
    return kNames[static_cast<std::size_t>(item)];
}

}  // namespace kipkip
