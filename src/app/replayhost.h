// app/replayhost.h
// The host of a replay: each game gets the seed recorded for it, the high score is the one
// recorded at the start, and no file is read or written.
#pragma once

#include <cstdint>

#include "app/replayfile.h"
#include "game/gamehost.h"

namespace kipkip {

class ReplayHost : public GameHost {
public:
    // `tick` is the tick being run, kept current by the runner.
    ReplayHost(const ReplayFile& replay, const std::uint64_t& tick) : replay_(replay), tick_(tick)
    {}

    // The seed recorded in this tick; a game started in a tick the recording has no seed for
    // (a replay that has drifted from its recording) takes the next recorded one, or 0.
    std::uint32_t NewGameSeed() override;
    std::optional<std::vector<std::uint8_t>> ReadScoreFile(std::string_view name,
                                                           std::size_t limit) override;
    void WriteScoreFile(std::string_view, std::span<const std::uint8_t>) override {}

private:
    const ReplayFile& replay_;
    const std::uint64_t& tick_;
    std::size_t nextSeed_ = 0;
};

}  // namespace kipkip
