// app/recordwatch.h
// A record's game watched from its recording, in a main window of its own beside the live
// game's (which its owner holds still meanwhile). A record's recording is its run's recording
// cut at the end of the record's game, and its last seed starts that game: the games before it
// must be played again first, unseen, because a game inherits the state of the games before it
// (the hero's velocity, the clock that times the enemies). From the record's game's first tick
// on, the watch plays one game tick for each loop tick of its owner.
//
// The watched window is fed as a replay is: the recording's keys by game tick, its seeds and
// high score, its key map and pad binding. It is silent, so that the live game's held sound is
// all there is, and it reads and writes no file but the game's data: its host keeps the high
// score to itself.
//
//     RecordWatch watch(std::move(recording), {bitmaps, fonts});
//     while (watch.Step()) {            // once a loop tick
//         if (!watch.CatchingUp()) {
//             Show(watch.Frame());
//         }
//     }
//     // the last frame stays up a moment
#pragma once

#include <cstdint>
#include <functional>

#include "app/framekeeper.h"
#include "app/mainform.h"
#include "app/replayhost.h"
#include "app/runclock.h"
#include "app/scriptfeed.h"
#include "app/ticklistener.h"
#include "device/soundmixer.h"
#include "platform/headless/headlessloop.h"
#include "platform/silentmidiout.h"
#include "replay/replayfile.h"
#include "replay/scriptedinput.h"

namespace kipkip {

class RecordWatch : private TickListener {
public:
    // The most game ticks one Step plays while the earlier games run: about 5 ms of a loop
    // tick's 20 in a release build (bench/recordwatch_bench), so the window stays responsive.
    static constexpr std::uint64_t kCatchUpTicks = 200;

    // What the watched window draws with; it outlives the watch.
    struct Ports {
        BitmapPort& bitmaps;
        FontPort& fonts;
    };

    // `recording` has been loaded and checked. `catchUpTicks` (at least 1) bounds the game
    // ticks of one Step while catching up.
    RecordWatch(ReplayFile recording, Ports ports, std::uint64_t catchUpTicks = kCatchUpTicks);
    RecordWatch(const RecordWatch&) = delete;
    RecordWatch& operator=(const RecordWatch&) = delete;

    // Plays on: up to the catch-up bound of game ticks while the earlier games run (stopping
    // before the record's game's first tick), then exactly one game tick a call. False once
    // the recording's last tick has been played, by this call or an earlier one, and at once
    // for a recording in which no game starts or a game that has stopped its timer. An error
    // of the game escapes, as it escapes the live game's tick.
    bool Step();

    // Whether the games before the record's game are still to be played.
    bool CatchingUp() const { return clock_.NextGameTick() < StartTick(); }
    // The game tick in which the record's game starts (its last seed's), 0 when none does.
    std::uint64_t StartTick() const;
    // The recording's last game tick: where watching ends (0 when no game starts).
    std::uint64_t EndTick() const { return end_; }
    // The game tick played last, 0 before the first.
    std::uint64_t GameTick() const { return clock_.GameTick(); }

    // The frame the watched game presented last; empty before its first.
    const Surface& Frame() const { return screen_.Frame(); }
    // The watched window, to trace it; its loop ticks are its game ticks.
    TMainForm& Form() { return form_; }
    // `seen` is called after every game tick the watch plays, those of catching up too: a
    // trace of every tick, where the owner sees one a loop tick.
    void OnEachTick(std::function<void()> seen) { seen_ = std::move(seen); }

private:
    void BeforeTick(std::uint64_t) override;
    bool AfterTick(std::uint64_t) override;

    const ReplayFile recording_;
    const std::uint64_t catchUpTicks_;
    const std::uint64_t end_;
    std::uint64_t target_ = 0;  // the game tick the running Step plays up to
    std::function<void()> seen_;
    HeadlessLoop loop_;
    FrameKeeper screen_;
    RunClock clock_;
    ScriptedInput input_;
    ScriptFeed feed_;
    ReplayHost host_;
    SoundMixer mixer_;
    SilentMidiOut midiOut_;
    TMainForm form_;  // last: it goes before everything it uses
};

}  // namespace kipkip
