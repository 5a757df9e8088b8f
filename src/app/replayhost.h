// app/replayhost.h
// The host of a replay: each game gets the seed recorded for it, the high score is the one
// recorded at the start, and no file is read or written.
#pragma once

#include <cstdint>

#include "app/runclock.h"
#include "game/gamehost.h"
#include "replay/replayfile.h"

namespace kipkip {

class ReplayHost : public GameHost {
public:
    // The recording and the run's clock must outlive the host.
    ReplayHost(const ReplayFile& replay, const RunClock& clock) : replay_(replay), clock_(clock) {}

    // The seed recorded in this game tick; a game started in a tick the recording has no seed for
    // (a replay that has drifted from its recording) takes the next recorded one, or 0.
    std::uint32_t NewGameSeed() override;
    std::optional<std::vector<std::uint8_t>> ReadScoreFile(std::string_view name,
                                                           std::size_t limit) override;
    void WriteScoreFile(std::string_view, std::span<const std::uint8_t>) override {}

private:
    const ReplayFile& replay_;
    const RunClock& clock_;
    std::size_t nextSeed_ = 0;
};

}  // namespace kipkip
