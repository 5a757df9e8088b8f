// app/tickstopwatch.h
// `--timedemo`: how long each tick took, from just before it to just after it, in microseconds
// of the steady clock.
#pragma once

#include <chrono>
#include <vector>

#include "app/ticklistener.h"

namespace kipkip {

class TickStopwatch : public TickListener {
public:
    void BeforeTick(std::uint64_t tick) override;
    bool AfterTick(std::uint64_t tick) override;

    const std::vector<double>& Microseconds() const { return microseconds_; }

private:
    std::chrono::steady_clock::time_point started_;
    std::vector<double> microseconds_;
};

}  // namespace kipkip
