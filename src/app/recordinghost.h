// app/recordinghost.h
// The host of a recorded run: everything goes to the ordinary host, and the recorder writes
// down each game's seed in the tick it was drawn and the high score read at the start.
#pragma once

#include <cstdint>

#include "app/replayrecorder.h"
#include "game/gamehost.h"

namespace kipkip {

class RecordingHost : public GameHost {
public:
    RecordingHost(GameHost& inner, ReplayRecorder& recorder, const std::uint64_t& tick)
        : inner_(inner), recorder_(recorder), tick_(tick)
    {}

    std::uint32_t NewGameSeed() override;
    std::optional<std::vector<std::uint8_t>> ReadScoreFile(std::string_view name,
                                                           std::size_t limit) override;
    void WriteScoreFile(std::string_view name, std::span<const std::uint8_t> bytes) override;

private:
    GameHost& inner_;
    ReplayRecorder& recorder_;
    const std::uint64_t& tick_;
};

}  // namespace kipkip
