// app/audiocapture.h
// The sound of a headless run (`--audio-out`): after every tick the audio path is pulled for
// exactly one tick's worth of output, 882 frames (20 ms at 44100 Hz: two music passes, each
// followed by its 441 frames of music, with the sound effects added), so a sound started in tick
// k is heard from frame 882 x (k - 1) on, whatever the speed of the machine; at the end the
// whole run is written as one 16-bit stereo WAVE. While the game is held (device/audiopath.h)
// the tick's 20 ms carry the overlay's sounds alone and the music waits.
#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

#include "app/ticklistener.h"

namespace kipkip {

class AudioPath;

class AudioCapture : public TickListener {
public:
    static constexpr std::size_t kFramesPerTick = 882;

    // The path must outlive the capture.
    explicit AudioCapture(AudioPath& path) : path_(path) {}

    // Mixes the 20 ms that follow the tick just run onto the end of the run's sound.
    void RenderTick();
    bool AfterTick(std::uint64_t) override
    {
        RenderTick();
        return true;
    }
    // The run so far, interleaved stereo.
    const std::vector<std::int16_t>& Samples() const { return samples_; }
    // Writes the run as a WAVE file; false when it cannot be written.
    bool Save(std::string_view path) const;

private:
    AudioPath& path_;
    std::vector<std::int16_t> samples_;
};

}  // namespace kipkip
