// app/ticklimit.h
// Where a run ends by itself: after loop tick N (`--ticks N`), or after the game tick a replay's
// recording ends with. Without either the run goes on until the window is closed.
#pragma once

#include <cstdint>

#include "app/ticklistener.h"

namespace kipkip {

class RunClock;

class TickLimit : public TickListener {
public:
    // 0: no limit of that kind. The clock must outlive the limit.
    TickLimit(std::uint64_t loopTicks, std::uint64_t gameTicks, const RunClock& clock)
        : loopTicks_(loopTicks), gameTicks_(gameTicks), clock_(clock)
    {}

    bool AfterTick(std::uint64_t tick) override;

private:
    std::uint64_t loopTicks_;
    std::uint64_t gameTicks_;
    const RunClock& clock_;
};

}  // namespace kipkip
