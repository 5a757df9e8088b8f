// platform/frameschedule.h
// When the frame loop runs its next tick. The schedule is absolute: expiry n is due at
// start + n x interval on a steady clock, so the ticks never drift by the time a tick or a wait
// takes. A loop that falls behind (a stall, a slow tick) skips the expiries it missed and runs
// one tick, never a burst of them; a clock that goes back restarts the schedule from its new
// time, so that no tick ever waits longer than one interval. The window's loop asks it on the
// performance counter; tests ask it on a clock they set by hand.
#pragma once

#include <cstdint>

namespace kipkip {

class FrameSchedule {
public:
    // A steady counter and how many counts make a second.
    class Clock {
    public:
        virtual ~Clock() = default;
        virtual std::uint64_t Now() = 0;
        virtual std::uint64_t Frequency() const = 0;
    };

    // What the loop does now: run a tick, or wait first.
    struct Decision {
        bool due = false;
        std::uint32_t waitMs = 0;  // when not due: until the next expiry, rounded up
        std::uint64_t now = 0;     // the clock's reading it was decided on
    };

    // The clock must outlive the schedule.
    explicit FrameSchedule(Clock& clock) : clock_(clock) {}

    // Starts the schedule again (a new timer, a new speed, or the end of a pause): the next
    // expiry is due at once and the following ones an interval apart, so time spent away is
    // never made up. At a speed under 100 percent each interval lasts longer in real time.
    void Restart(std::uint32_t intervalMs, int speedPercent = 100);
    void Restart() { restart_ = true; }
    // Another speed while the ticks go on: the next expiry comes one new interval after the last
    // one ran, or at once when that time has already passed, and the later ones an interval
    // apart, so a change brings neither a burst nor a skipped expiry.
    void SetSpeed(int speedPercent);
    Decision Next();
    // Expiries passed over after stalls, over the schedule's whole life.
    std::uint64_t Skipped() const { return skipped_; }

private:
    std::uint64_t PeriodAt(int speedPercent) const;

    Clock& clock_;
    std::uint32_t intervalMs_ = 0;
    std::uint64_t period_ = 1;  // in counts
    std::uint64_t start_ = 0;
    std::uint64_t serviced_ = 0;  // expiries run or skipped since the start
    bool restart_ = true;
    std::uint64_t skipped_ = 0;
};

}  // namespace kipkip
