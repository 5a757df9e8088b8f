// app/scriptfeed.h
// Sets a script's keys for each tick before it runs. An input script (`--input`) is written in
// loop ticks, as a player would press keys whatever the game does; a recording's keys are the
// game's own, so a replay is fed by game ticks (the tick the game's next step runs).
#pragma once

#include "app/ticklistener.h"

namespace kipkip {

class RunClock;
class ScriptedInput;

class ScriptFeed : public TickListener {
public:
    enum class Count { LoopTicks, GameTicks };

    // The input and the clock must outlive the feed.
    ScriptFeed(ScriptedInput& input, const RunClock& clock, Count count)
        : input_(input), clock_(clock), count_(count)
    {}

    void BeforeTick(std::uint64_t tick) override;

private:
    ScriptedInput& input_;
    const RunClock& clock_;
    Count count_;
};

}  // namespace kipkip
