// app/gatedtimer.h
// The game's timer service with a gate: the loop's expiries reach the game only while nothing
// holds it, so a menu open over the game stops the game's ticks while the loop's go on.
#pragma once

#include <functional>

#include "platform/ports.h"

namespace kipkip {

class GatedTimer : public TimerPort {
public:
    // `held` is asked at each expiry. The service outlives the gate.
    GatedTimer(TimerPort& service, std::function<bool()> held)
        : service_(service), held_(std::move(held))
    {}

    std::uint32_t CreatePeriodic(std::uint32_t intervalMs, std::function<void()> onExpiry) override;
    void Kill(std::uint32_t id) override { service_.Kill(id); }
    std::uint32_t NowMs() override { return service_.NowMs(); }

private:
    TimerPort& service_;
    std::function<bool()> held_;
};

}  // namespace kipkip
