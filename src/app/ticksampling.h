// app/ticksampling.h
// The keys a run reads are sampled once per tick: each loop tick starts a new sample of each
// input (the player's, and the game's view of them).
#pragma once

#include <initializer_list>
#include <vector>

#include "app/ticklistener.h"

namespace kipkip {

class TickInput;

class TickSampling : public TickListener {
public:
    // The inputs outlive the listener.
    TickSampling(std::initializer_list<TickInput*> inputs) : inputs_(inputs) {}

    void BeforeTick(std::uint64_t tick) override;

private:
    std::vector<TickInput*> inputs_;
};

}  // namespace kipkip
