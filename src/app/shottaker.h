// app/shottaker.h
// `--shot TICK:FILE`: the frame at the end of loop tick TICK, saved as a BMP. A shot that cannot
// be written is reported and the run goes on (the other shots and the trace are still worth
// having); the run then ends with the status of an unwritable output.
#pragma once

#include <vector>

#include "app/commandline.h"
#include "app/framefile.h"
#include "app/ticklistener.h"

namespace kipkip {

class ShotTaker : public TickListener {
public:
    ShotTaker(std::vector<Shot> shots, ShownFrame frame)
        : shots_(std::move(shots)), frame_(std::move(frame))
    {}

    bool AfterTick(std::uint64_t tick) override;
    // Whether a shot could not be written.
    bool Failed() const { return failed_; }

private:
    std::vector<Shot> shots_;
    ShownFrame frame_;
    bool failed_ = false;
};

}  // namespace kipkip
