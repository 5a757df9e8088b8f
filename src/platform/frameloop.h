// platform/frameloop.h
// The loop a run's ticks come from, which is also the game's screen and its timer service: a
// window's (ticks on the frame schedule, frames shown) or a headless one (ticks back to back,
// frames kept). The runner sets a run up the same way over either.
#pragma once

#include "platform/ports.h"

namespace kipkip {

class FrameLoop : public VideoPort, public TimerPort {
public:
    // Runs until the listener says stop, the loop's own end (a closed window), or a fatal error
    // asks the program to end.
    virtual void Run(LoopListener& listener) = 0;
};

}  // namespace kipkip
