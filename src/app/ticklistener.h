// app/ticklistener.h
// One piece of what happens around the ticks of a run (the trace, the shots, the recording, ...).
// A piece takes part only in what it overrides; the fan-out (loopfanout.h) calls them all.
#pragma once

#include "platform/ports.h"

namespace kipkip {

class TickListener : public LoopListener {
public:
    void Paint() override {}
    bool AfterTick(std::uint64_t) override { return true; }
    void SaveScreenshot() override {}
};

}  // namespace kipkip
