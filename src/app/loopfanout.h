// app/loopfanout.h
// The one listener the frame loop is given: it passes every call on to the run's pieces in the
// order they were added. Every piece sees every tick, also the last: the run stops after a tick
// in which any of them said stop.
#pragma once

#include <vector>

#include "platform/ports.h"

namespace kipkip {

class LoopFanOut : public LoopListener {
public:
    // The listener must outlive the fan-out's use.
    void Add(LoopListener& listener) { listeners_.push_back(&listener); }

    void Paint() override;
    void BeforeTick(std::uint64_t tick) override;
    bool AfterTick(std::uint64_t tick) override;
    void SaveScreenshot() override;

private:
    std::vector<LoopListener*> listeners_;
};

}  // namespace kipkip
