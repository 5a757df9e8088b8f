// app/recordinghost.h
// The host of a recorded run: everything goes to the ordinary host, the recorder writes down
// each game's seed in the game tick it was drawn and the high score read at the start, and the
// recording is written out after each game over.
#pragma once

#include <cstdint>

#include "app/recordingwriter.h"
#include "app/runclock.h"
#include "game/gamehost.h"
#include "replay/replayrecorder.h"

namespace kipkip {

class RecordingHost : public GameHost {
public:
    // All four must outlive the host.
    RecordingHost(GameHost& inner, ReplayRecorder& recorder, RecordingWriter& writer,
                  const RunClock& clock)
        : inner_(inner), recorder_(recorder), writer_(writer), clock_(clock)
    {}

    std::uint32_t NewGameSeed() override;
    std::optional<std::vector<std::uint8_t>> ReadScoreFile(std::string_view name,
                                                           std::size_t limit) override;
    void WriteScoreFile(std::string_view name, std::span<const std::uint8_t> bytes) override;
    void GameOver() override;

private:
    GameHost& inner_;
    ReplayRecorder& recorder_;
    RecordingWriter& writer_;
    const RunClock& clock_;
};

}  // namespace kipkip
