// menu/menu.h
// The in-game menu: its pages, the item under the cursor, and what each command does there. It
// changes a copy of the settings and hands the copy to its host after every change, so a change
// is heard and seen at once; the host applies and saves it. Choosing a control waits for the next
// key or controller button pressed: a key bound to another signal (a button to another of the
// game's buttons) swaps with it, so no binding is ever lost, and the window's own keys are
// refused. The menu knows nothing of devices: its commands and presses come from MenuControls.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "menu/menusettings.h"
#include "platform/ports.h"

namespace kipkip {

enum class MenuCommand { Up, Down, Left, Right, Choose, Back, Close };

enum class MenuPage { Closed, Main, Options, Controls, ConfirmQuit };

enum class MenuItem {
    Resume,
    Options,
    Controls,
    Records,
    Quit,
    MusicVolume,
    EffectsVolume,
    Scale,
    FullScreen,
    Vsync,
    Autopause,
    Speed,
    PaceMarker,
    RestoreOptions,
    KeyUp,
    KeyDown,
    KeyLeft,
    KeyRight,
    KeyButton1,
    KeyButton2,
    KeyButton3,
    PadButton1,
    PadButton2,
    PadButton3,
    RestoreControls,
    Back,
    QuitNo,
    QuitYes,
};

enum class MenuSound { Move, Choose };

class MenuHost {
public:
    virtual ~MenuHost() = default;
    // The settings after a change; `item` is the one that changed them.
    virtual void Apply(const MenuSettings& settings, MenuItem item) = 0;
    virtual void Play(MenuSound sound) = 0;
    // The player asked to leave the game.
    virtual void Quit() = 0;
    // The player asked for the records table; the menu has closed.
    virtual void ShowRecords() = 0;
    // Keys the window keeps for itself: they can never be bound.
    virtual bool IsWindowKey(std::uint8_t code) const = 0;
};

class Menu {
public:
    // The settings in force and those "restore defaults" brings back. The host outlives the menu.
    Menu(const MenuSettings& settings, const MenuSettings& defaults, MenuHost& host)
        : settings_(settings), defaults_(defaults), host_(host)
    {}

    // `gameRunning`: quitting asks first, and the records table is not offered (it would hide
    // the game being played). `settings`: those in force now (full screen may have
    // changed by its key since the menu last closed).
    void Open(bool gameRunning, const MenuSettings& settings);
    void Close();
    bool IsOpen() const { return page_ != MenuPage::Closed; }

    void Handle(MenuCommand command);
    // Whether the chosen control waits for a key or for a controller button.
    bool AwaitsKey() const { return awaiting_ && !IsPadItem(Current()); }
    bool AwaitsPadButton() const { return awaiting_ && IsPadItem(Current()); }
    // A key or controller button pressed while a control waits: Escape and Start cancel the
    // wait, a key binds a key control and a button a controller one. Ignored while nothing
    // waits.
    void KeyPressed(std::uint8_t code);
    void PadButtonPressed(PadButton button);

    MenuPage Page() const { return page_; }
    const std::vector<MenuItem>& Items() const;
    std::size_t Cursor() const { return cursor_; }
    MenuItem Current() const { return Items()[cursor_]; }
    const MenuSettings& Settings() const { return settings_; }
    // A line for the player under the items (a refused key, a settings file not written), or
    // empty.
    const std::string& Notice() const { return notice_; }
    void SetNotice(std::string notice) { notice_ = std::move(notice); }
    // Where the menu stands, for the trace: "closed", or the page and item ("options/speed"),
    // with "/waiting" while a control waits for its key or button.
    std::string Where() const;

    static bool IsPadItem(MenuItem item);
    static bool IsKeyItem(MenuItem item);

private:
    void Enter(MenuPage page, std::size_t cursor = 0);
    std::size_t IndexOf(MenuPage page, MenuItem item) const;
    void Move(int step);
    void Choose();
    void Back();
    void Change(int direction);
    void Changed(MenuItem item);
    void Cancel();

    MenuSettings settings_;
    MenuSettings defaults_;
    MenuHost& host_;
    MenuPage page_ = MenuPage::Closed;
    std::size_t cursor_ = 0;
    bool gameRunning_ = false;
    bool awaiting_ = false;
    std::string notice_;
};

// The name of an item as the menu shows it and as the trace writes it (lower case).
std::string_view MenuItemName(MenuItem item);
std::string_view MenuPageName(MenuPage page);

}  // namespace kipkip
