// app/ticksampling.h
// The keys a played run reads are sampled once per tick: each loop tick starts a new sample.
#pragma once

#include "app/ticklistener.h"

namespace kipkip {

class TickInput;

class TickSampling : public TickListener {
public:
    explicit TickSampling(TickInput& input) : input_(input) {}

    void BeforeTick(std::uint64_t tick) override;

private:
    TickInput& input_;
};

}  // namespace kipkip
