// app/runclock.h
// The run's two counts of ticks. Loop ticks are the frame loop's, every expiry of the frame
// timer from 1; game ticks are the loop ticks in which the game was stepped. Every loop tick
// steps the game for now, so the two are equal; a menu that holds the game still would run loop
// ticks without game ticks. Input scripts, --ticks, --shot and the trace count loop ticks; a
// recording, its seeds and a replay count game ticks, so that a replay is the game's and not the
// menu's.
#pragma once

#include <cstdint>

#include "app/ticklistener.h"

namespace kipkip {

class RunClock : public TickListener {
public:
    void BeforeTick(std::uint64_t loopTick) override { loopTick_ = loopTick; }
    // The main window is about to step the game: from now on the step's tick is GameTick().
    void GameStepped() { ++gameTick_; }

    // The loop tick being run or last run.
    std::uint64_t LoopTick() const { return loopTick_; }
    // The game tick being run or last run (0 before the first).
    std::uint64_t GameTick() const { return gameTick_; }
    // The game tick that the next step of the game runs.
    std::uint64_t NextGameTick() const { return gameTick_ + 1; }

private:
    std::uint64_t loopTick_ = 0;
    std::uint64_t gameTick_ = 0;
};

}  // namespace kipkip
