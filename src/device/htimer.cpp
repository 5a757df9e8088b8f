#include "device/htimer.h"

namespace kipkip {

THITimer::THITimer(TimerPort& service) : service(service), startTime(service.NowMs()) {}

THITimer::~THITimer()
{
    // No tick may run once the timer is gone.
    enabled = false;
    UpdateTimer();
}

void THITimer::SetEnabled(bool flag)
{
    if (flag != enabled) {
        enabled = flag;
        UpdateTimer();
    }
}

void THITimer::SetInterval(std::uint32_t milliseconds)
{
    if (milliseconds != interval) {
        interval = milliseconds;
        UpdateTimer();
    }
}

void THITimer::Loaded()
{
    UpdateTimer();
}

void THITimer::UpdateTimer()
{
    if (timerId != 0) {
        service.Kill(timerId);
        timerId = 0;
    }
    if (!enabled || interval == 0 || !onTimer) {
        return;
    }
    timerId = service.CreatePeriodic(interval, [this] { Timer(); });
    if (timerId == 0) {
        throw EHITimerError("No timer available");
    }
}

void THITimer::Timer()
{
    if (onTimer) {
        onTimer(*this);
    }
}

void THITimer::Start()
{
    SetEnabled(true);
    startTime = service.NowMs();
}

void THITimer::Stop()
{
    elapsedTime = service.NowMs() - startTime;
    SetEnabled(false);
}

std::uint32_t THITimer::GetElapsedTime() const
{
    return enabled ? service.NowMs() - startTime : elapsedTime;
}

}  // namespace kipkip
