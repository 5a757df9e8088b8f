// app/tracelistener.h
// `--trace`: after each loop tick, one line of the game's state, numbered by the loop tick and
// the game tick.
#pragma once

#include "app/ticklistener.h"

namespace kipkip {

class RunClock;
class TMainForm;
class TraceWriter;

class TraceListener : public TickListener {
public:
    // All three must outlive the listener.
    TraceListener(TraceWriter& trace, const RunClock& clock, TMainForm& form)
        : trace_(trace), clock_(clock), form_(form)
    {}

    bool AfterTick(std::uint64_t tick) override;

private:
    TraceWriter& trace_;
    const RunClock& clock_;
    TMainForm& form_;
};

}  // namespace kipkip
