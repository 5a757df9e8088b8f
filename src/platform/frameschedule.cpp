#include "platform/frameschedule.h"

#include <algorithm>

namespace kipkip {

std::uint64_t FrameSchedule::PeriodAt(int speedPercent) const
{
    const auto percent = static_cast<std::uint64_t>(std::max(speedPercent, 1));
    return std::max<std::uint64_t>(clock_.Frequency() * intervalMs_ * 100 / (1000 * percent), 1);
}

void FrameSchedule::Restart(std::uint32_t intervalMs, int speedPercent)
{
    intervalMs_ = intervalMs;
    period_ = PeriodAt(speedPercent);
    restart_ = true;
}

void FrameSchedule::SetSpeed(int speedPercent)
{
    const std::uint64_t period = PeriodAt(speedPercent);
    if (!restart_) {
        // The last expiry becomes the new schedule's first, already serviced.
        const std::uint64_t last = start_ + (serviced_ - 1) * period_;
        const std::uint64_t now = clock_.Now();
        start_ = now >= last + period ? now - period : last;
        serviced_ = 1;
    }
    period_ = period;
}

FrameSchedule::Decision FrameSchedule::Next()
{
    const std::uint64_t now = clock_.Now();
    if (restart_) {
        start_ = now;
        serviced_ = 0;
        restart_ = false;
    } else if (serviced_ > 0 && now < start_ + (serviced_ - 1) * period_) {
        // The clock went back past the last expiry: that expiry counts as run at the new time.
        start_ = now;
        serviced_ = 1;
    }
    const std::uint64_t due = (now - start_) / period_ + 1;  // the first expiry is at once
    if (due <= serviced_) {
        const std::uint64_t next = start_ + serviced_ * period_;
        const std::uint64_t frequency = clock_.Frequency();
        const std::uint64_t waitMs = ((next - now) * 1000 + frequency - 1) / frequency;
        return {false, static_cast<std::uint32_t>(waitMs), now};
    }
    skipped_ += due - serviced_ - 1;
    serviced_ = due;
    return {true, 0, now};
}

}  // namespace kipkip
