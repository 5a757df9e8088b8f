// app/menuoverlay.h
// The in-game menu in a run. Escape or the controller's Start opens it over any screen; while it
// is open the game is held (the loop ticks on, the game does not: its timer's expiries are kept
// from it, so its ticks, its recording and its seeds are those of a run without the menu), the
// game's music and effects hold where they are while the menu's own sounds play, and the frame
// is shown dimmed under the menu. The menu reads the player's keys (a played run's, scripted or
// not; a replay's player, never the recording's keys) once a loop tick, before the game's step.
// Its changes apply at once and are written to the settings file.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <set>
#include <string>
#include <utility>

#include "app/gatedtimer.h"
#include "app/menuscreen.h"
#include "app/menusettingsfile.h"
#include "app/ticklistener.h"
#include "menu/menu.h"
#include "menu/menucontrols.h"
#include "menu/menufont.h"
#include "menu/menusounds.h"
#include "menu/menuview.h"
#include "platform/frameloop.h"

namespace kipkip {

class AudioPath;
class GameInput;
class RunStage;
class TickInput;
class TMainForm;

class MenuOverlay : public TickListener, private MenuHost {
public:
    // All of it outlives the overlay.
    struct Parts {
        TickInput& input;  // the player's keys, sampled once a loop tick
        GameInput* game;   // what the game reads, when it is the player's keys (not in a replay)
        FrameLoop& loop;
        SoundMixer& sounds;  // where the menu's sounds play, over the game's
        AudioPath& path;
        RunStage& stage;
        MenuSettingsFile& settings;
    };

    explicit MenuOverlay(Parts parts);

    // Where the game presents its frames and takes its timer from.
    VideoPort& Screen() { return screen_; }
    TimerPort& GameTimer() { return timer_; }
    // The game the menu opens over; it outlives the overlay's use.
    void Watch(TMainForm& form) { form_ = &form; }

    bool HoldsGame() const { return menu_.IsOpen(); }
    // The menu opens only when `allowed` says so (another overlay may keep Escape to itself).
    void AllowOpening(std::function<bool()> allowed) { allowOpening_ = std::move(allowed); }
    // The player's settings as they stand now.
    const MenuSettings& Settings() const { return menu_.Settings(); }
    // The frame as the player sees it now: with the menu while it is open.
    const Surface& ShownFrame() const;
    // Where the menu stands, as the trace writes it.
    std::string Where() const { return menu_.Where(); }
    // Whether the player chose the records table since the last call; the menu has closed.
    bool TakeShowRecords() { return std::exchange(showRecords_, false); }

    void BeforeTick(std::uint64_t) override;
    // False once the player has chosen to quit.
    bool AfterTick(std::uint64_t) override { return !quit_; }

private:
    void Open();
    void Closed();
    void Act(const MenuControls::Tick& tick);
    bool GameRunning() const;

    void Apply(const MenuSettings& settings, MenuItem item) override;
    void Play(MenuSound sound) override { sounds_.Play(sound); }
    void Quit() override { quit_ = true; }
    void ShowRecords() override { showRecords_ = true; }
    bool IsWindowKey(std::uint8_t code) const override;

    Parts parts_;
    TMainForm* form_ = nullptr;
    std::optional<MenuFont> font_;
    std::optional<MenuView> view_;
    MenuSounds sounds_;
    Menu menu_;
    MenuControls controls_;
    MenuScreen screen_;
    GatedTimer timer_;
    std::set<MenuItem> fromCommandLine_;  // until the player changes them
    std::function<bool()> allowOpening_ = [] { return true; };
    bool quit_ = false;
    bool showRecords_ = false;
};

}  // namespace kipkip
