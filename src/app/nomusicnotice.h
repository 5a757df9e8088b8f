// app/nomusicnotice.h
// Tells the player, once a run, that the music could not be opened, as soon as that is known:
// before the first tick, or later, when a SoundFont loading beside the game fails. It tells from
// between two ticks, so a message box holds the game while it is up.
#pragma once

#include <functional>

#include "app/ticklistener.h"

namespace kipkip {

class NoMusicNotice : public TickListener {
public:
    // `noMusic` is asked before every tick until it first answers true; `tell` is then called.
    NoMusicNotice(std::function<bool()> noMusic, std::function<void()> tell)
        : noMusic_(std::move(noMusic)), tell_(std::move(tell))
    {}

    void BeforeTick(std::uint64_t) override;

private:
    std::function<bool()> noMusic_;
    std::function<void()> tell_;
    bool told_ = false;
};

}  // namespace kipkip
