// app/recordsoverlay.h
// The records in a run: the initials entry when a game enters the table, the records screen
// (the second button on the title, or the menu's RECORDS) and a record watched from it. Like the
// menu, each is an overlay over the game: while one is open no game tick passes (the game's timer
// expiries are kept from it), and the game sees none of the presses made in it. The entry opens
// once a game's game-over screen is up and the high score has been written, so the game over
// runs exactly as without it. A watched record is a game of its own behind the held one.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>

#include "app/gamelog.h"
#include "app/gatedtimer.h"
#include "app/menuscreen.h"
#include "app/recordskeeper.h"
#include "app/ticklistener.h"
#include "menu/initialsentry.h"
#include "menu/initialsview.h"
#include "menu/menucontrols.h"
#include "menu/menufont.h"
#include "menu/menusounds.h"
#include "menu/recordsboard.h"
#include "menu/recordsboardview.h"
#include "menu/replaymarkview.h"
#include "platform/frameloop.h"

namespace kipkip {

class GameInput;
class MenuOverlay;
class PaceScreen;
class RecordWatch;
class ReplayRecorder;
class RunStage;
class SoundMixer;
class TickInput;
class TMainForm;

class RecordsOverlay : public TickListener {
public:
    // All of it outlives the overlay.
    struct Parts {
        TickInput& input;   // the player's keys, sampled once a loop tick
        GameInput* game;    // what the game reads, when it is the player's keys
        MenuOverlay& menu;  // opens over this overlay's entry, never over the screen
        VideoPort& screen;  // where the frames go: the menu's screen
        TimerPort& timer;   // the menu's gate on the game's timer
        RunStage& stage;    // tells the player what went wrong with the records
        RecordsKeeper& keeper;
        GameLog* log;                    // the played games, when they may enter the table
        const ReplayRecorder* recorder;  // the run's recording, when games may enter
        BitmapPort& bitmaps;             // for a watched record's game
        FontPort& fonts;
        SoundMixer& sounds;  // where the screens' sounds play: the menu's
    };

    explicit RecordsOverlay(Parts parts);
    ~RecordsOverlay() override;

    VideoPort& Screen() { return screen_; }
    // The marker that follows the best record's pace while the setting says so.
    void ShowPaceOn(PaceScreen& pace) { pace_ = &pace; }
    TimerPort& GameTimer() { return timer_; }
    void Watch(TMainForm& form) { form_ = &form; }

    bool HoldsGame() const { return shown_ != Shown::kNothing; }
    // The menu may open over the game, the title and the entry, not over the records screen.
    bool AllowsMenu() const { return shown_ == Shown::kNothing || shown_ == Shown::kEntry; }
    // The frame as the player sees it now, when this overlay is open.
    const Surface& ShownFrame() const { return screen_.Shown(); }
    // Where the overlay stands, for the trace: "entry", "records", "watching", or empty.
    std::string Where() const;
    // The record being watched and its game tick, while one is.
    RecordWatch* Watched() { return watch_.get(); }

    void BeforeTick(std::uint64_t) override;
    // The game log notes each game tick's outcome.
    bool AfterTick(std::uint64_t) override;

private:
    enum class Shown { kNothing, kEntry, kBoard, kWatch };

    void Closed(const MenuControls::Tick& tick);
    void Entry(const MenuControls::Tick& tick);
    void Board(const MenuControls::Tick& tick);
    void Watching(const MenuControls::Tick& tick);
    void Show(Shown shown);
    void Close();
    bool TitleShown() const;
    bool GameRunning() const;
    void StartWatching(std::size_t index);
    void Draw(Surface& frame) const;
    void DrawWatch(Surface& frame) const;
    void Tell(const std::string& message);
    void Play(std::optional<MenuSound> sound);
    // The pace marker follows the best record, or nothing when the setting is off.
    void FollowBest();

    Parts parts_;
    TMainForm* form_ = nullptr;
    std::optional<MenuFont> font_;
    MenuSounds sounds_;
    MenuControls controls_;
    MenuScreen screen_;
    GatedTimer timer_;
    Shown shown_ = Shown::kNothing;
    bool menuWasOpen_ = false;
    std::optional<LoggedGame> ended_;  // the game whose initials are being entered
    std::string recording_;            // its recording
    std::optional<InitialsEntry> entry_;
    std::optional<RecordsBoard> board_;
    std::unique_ptr<RecordWatch> watch_;
    std::size_t watched_ = 0;  // the record being watched
    PaceScreen* pace_ = nullptr;
    const Pace* followed_ = nullptr;  // what the marker follows
    int lingering_ = 0;               // loop ticks the watched game's last frame has stayed
};

}  // namespace kipkip
