#include "menu/menuview.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <cstdio>

namespace kipkip {
namespace {

constexpr int kFrameWidth = 320;
constexpr int kFrameHeight = 240;
constexpr int kPanelWidth = 232;
constexpr int kLineHeight = 12;
constexpr int kMargin = 10;  // inside the panel, on every side
constexpr int kHeadingGap = 16;
constexpr int kHelpGap = 6;  // between the items and the help line
constexpr char kCommandLineMark = '*';

std::string_view HeadingOf(MenuPage page)
{
    switch (page) {
        case MenuPage::Options:
            return "OPTIONS";
        case MenuPage::Controls:
            return "CONTROLS";
        case MenuPage::ConfirmQuit:
            return "QUIT THE GAME?";
        case MenuPage::Main:
        case MenuPage::Closed:
            break;
    }
    return "PAUSED";
}

std::string OnOff(bool on)
{
    return on ? "ON" : "OFF";
}

std::string PadButtonName(PadButton button)
{
    static constexpr std::array<std::string_view, kPadButtonCount> kNames = {
        "A", "B", "X", "Y", "LB", "RB", "START"};
    return std::string(kNames[static_cast<std::size_t>(button)]);
}

bool ChangesSideways(MenuItem item)
{
    return item >= MenuItem::MusicVolume && item <= MenuItem::PaceMarker;
}

}  // namespace

std::string MenuView::KeyValue(std::uint8_t code) const
{
    std::string name = keyName_ ? keyName_(code) : std::string();
    std::transform(name.begin(), name.end(), name.begin(),
                   [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
    const bool drawable = !name.empty() && std::all_of(name.begin(), name.end(), MenuFont::CanDraw);
    if (drawable) {
        return name;
    }
    char byCode[16];
    std::snprintf(byCode, sizeof byCode, "KEY %02X", code);
    return byCode;
}

std::string MenuView::Value(const Menu& menu, MenuItem item) const
{
    const MenuSettings& settings = menu.Settings();
    switch (item) {
        case MenuItem::MusicVolume:
            return std::to_string(settings.musicVolume);
        case MenuItem::EffectsVolume:
            return std::to_string(settings.effectsVolume);
        case MenuItem::Scale:
            return settings.scale == 0 ? "AUTO" : std::to_string(settings.scale) + "X";
        case MenuItem::FullScreen:
            return OnOff(settings.fullScreen);
        case MenuItem::Vsync:
            return OnOff(settings.vsync);
        case MenuItem::Autopause:
            return OnOff(settings.autopause);
        case MenuItem::Speed:
            return std::to_string(settings.speed) + "%";
        case MenuItem::PaceMarker:
            return OnOff(settings.paceMarker);
        default:
            break;
    }
    if (Menu::IsKeyItem(item)) {
        const std::size_t signal =
            static_cast<std::size_t>(item) - static_cast<std::size_t>(MenuItem::KeyUp);
        return KeyValue(settings.bindings.keys.*kInputSignals[signal]);
    }
    if (Menu::IsPadItem(item)) {
        const std::size_t button =
            static_cast<std::size_t>(item) - static_cast<std::size_t>(MenuItem::PadButton1);
        return PadButtonName(settings.bindings.padButtons[button]);
    }
    return {};
}

std::string MenuView::HelpLine(const Menu& menu) const
{
    if (menu.AwaitsKey()) {
        return "PRESS A KEY   ESC: CANCEL";
    }
    if (menu.AwaitsPadButton()) {
        return "PRESS A BUTTON   START: CANCEL";
    }
    if (!menu.Notice().empty()) {
        return menu.Notice();
    }
    if (fromCommandLine_.contains(menu.Current())) {
        return std::string(1, kCommandLineMark) + " SET ON THE COMMAND LINE";
    }
    return {};
}

void MenuView::DrawItem(Surface& frame, const TRect& box, int y, const Menu& menu, MenuItem item,
                        bool chosen) const
{
    const std::uint32_t colour = chosen ? MenuPainter::kChosen : MenuPainter::kText;
    const int left = box.left + kMargin + 2 * MenuFont::kAdvance;
    if (chosen) {
        painter_.Cursor(frame, box.left + kMargin, y);
    }
    std::string label(MenuItemName(item));
    if (fromCommandLine_.contains(item)) {
        label += kCommandLineMark;
    }
    font_.Draw(frame, left, y, label, colour);
    std::string value = Value(menu, item);
    if (value.empty()) {
        return;
    }
    if (chosen && (menu.AwaitsKey() || menu.AwaitsPadButton())) {
        value = "?";
    } else if (chosen && ChangesSideways(item)) {
        value = MenuFont::kArrowLeft + value + MenuFont::kArrowRight;
    }
    // A long key name gives way to the label rather than run out of the panel.
    const int room = box.right - kMargin - (left + MenuFont::Width(label) + MenuFont::kAdvance);
    while (value.size() > 1 && MenuFont::Width(value) > room) {
        value.pop_back();
    }
    font_.Draw(frame, box.right - kMargin - MenuFont::Width(value), y, value, colour);
}

void MenuView::Draw(Surface& frame, const Menu& menu) const
{
    if (!menu.IsOpen()) {
        return;
    }
    MenuPainter::Dim(frame);
    const std::vector<MenuItem>& items = menu.Items();
    const int height = kMargin + kHeadingGap + static_cast<int>(items.size()) * kLineHeight +
                       kHelpGap + MenuFont::kHeight + kMargin;
    const int left = (kFrameWidth - kPanelWidth) / 2;
    const int top = (kFrameHeight - height) / 2;
    const TRect box{left, top, left + kPanelWidth, top + height};
    MenuPainter::Panel(frame, box);
    painter_.CentredText(frame, box, top + kMargin, HeadingOf(menu.Page()), MenuPainter::kHeading);
    int y = top + kMargin + kHeadingGap;
    for (std::size_t i = 0; i < items.size(); ++i, y += kLineHeight) {
        DrawItem(frame, box, y, menu, items[i], i == menu.Cursor());
    }
    painter_.CentredText(frame, box, y + kHelpGap, HelpLine(menu), MenuPainter::kBevelLight);
}

}  // namespace kipkip
