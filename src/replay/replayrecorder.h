// replay/replayrecorder.h
// `--record FILE`: writes down what a run saw, as a replay file (see replayfile.h): what is held
// in each tick (a line only when it changes), the high score read at the start, the key map and
// the pad binding of the run and each game's seed; its last held line stands in the run's last
// tick, so that a replay knows where the run ended. The whole file is written again at every flush
// (each game over and the end of the run), so a crash loses nothing from before the last one.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "device/inputstate.h"
#include "device/padbinding.h"
#include "replay/inputscript.h"

namespace kipkip {

class ReplayRecorder {
public:
    ReplayRecorder(std::string path, const InputState& keys, const PadBinding& pad)
        : path_(std::move(path)), keys_(keys), pad_(pad)
    {}

    void SetHiScore(std::int32_t hiScore) { hiScore_ = hiScore; }
    // What was held in `tick` (ticks counted from 1).
    void Observe(std::uint32_t tick, const InputScript::Held& held);
    void Seed(std::uint32_t tick, std::uint32_t seed);
    // The recording as it stands, as the file holds it.
    std::string Text() const;
    // False when the file cannot be written.
    bool Flush() const;

    const std::string& Path() const { return path_; }

private:
    std::string path_;
    InputState keys_;
    PadBinding pad_;
    std::int32_t hiScore_ = 0;
    std::vector<std::string> lines_;
    std::optional<std::string> lastHeld_;
    std::uint32_t lastTick_ = 0;     // the last tick observed
    std::uint32_t lastWritten_ = 0;  // the tick of the last held line
};

}  // namespace kipkip
