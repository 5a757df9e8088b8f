// device/htimer.h
// The timer that drives the game: while it is enabled, has an interval and has a handler, the
// timer service calls the handler every Interval milliseconds, one call at a time. It also
// measures the time between Start and Stop. Any change of Enabled or Interval (to a new value)
// stops the running periodic timer and makes a new one.
#pragma once

#include <cstdint>
#include <functional>
#include <stdexcept>

#include "platform/ports.h"

namespace kipkip {

class EHITimerError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

class THITimer {
public:
    using Handler = std::function<void(THITimer& sender)>;

    explicit THITimer(TimerPort& service);
    ~THITimer();
    THITimer(const THITimer&) = delete;
    THITimer& operator=(const THITimer&) = delete;

    bool Enabled() const { return enabled; }
    std::uint32_t Interval() const { return interval; }
    void SetEnabled(bool flag);
    void SetInterval(std::uint32_t milliseconds);
    void SetOnTimer(Handler handler) { onTimer = std::move(handler); }

    // The settings were read from stored form data: make the timer they describe.
    void Loaded();
    // Raises EHITimerError "No timer available" when the service refuses a timer.
    void UpdateTimer();
    // One tick: calls the handler, if there is one.
    void Timer();

    void Start();
    void Stop();
    std::uint32_t GetElapsedTime() const;

private:
    TimerPort& service;
    std::uint32_t timerId = 0;
    std::uint32_t interval = 10;
    Handler onTimer;
    bool enabled = true;
    std::uint32_t startTime;
    std::uint32_t elapsedTime = 0;
};

}  // namespace kipkip
