// app/tracelistener.h
// `--trace`: after each loop tick, one line of the game's state, numbered by the loop tick and
// the game tick, with where the menu stands.
#pragma once

#include <functional>
#include <string>

#include "app/ticklistener.h"

namespace kipkip {

class RecordWatch;
class RunClock;
class TMainForm;
class TraceWriter;

class TraceListener : public TickListener {
public:
    // Where the menu stands, as the trace writes it ("closed").
    using MenuWhere = std::function<std::string()>;

    // The writer, the clock and the form must outlive the listener.
    TraceListener(TraceWriter& trace, const RunClock& clock, TMainForm& form, MenuWhere menu)
        : trace_(trace), clock_(clock), form_(form), menu_(std::move(menu))
    {}

    // While `watched` gives a record being watched, its game is traced in place of the run's.
    void Follow(std::function<RecordWatch*()> watched) { watched_ = std::move(watched); }

    bool AfterTick(std::uint64_t tick) override;

private:
    TraceWriter& trace_;
    const RunClock& clock_;
    TMainForm& form_;
    MenuWhere menu_;
    std::function<RecordWatch*()> watched_ = [] { return nullptr; };
};

}  // namespace kipkip
