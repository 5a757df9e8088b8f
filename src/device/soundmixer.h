// device/soundmixer.h
// The mixer of the sound effects: every sound is held once, already in the output format, and
// each of its copies is a play position over it. Mix adds every playing copy into the output
// in 32 bits and clips once, so loud overlaps saturate instead of wrapping around.
//
// The audio thread calls Mix while the game thread starts and stops copies, so all state sits
// behind one mutex; no call holds it longer than one Mix of one output buffer.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <mutex>
#include <span>
#include <vector>

#include "platform/ports.h"

namespace kipkip {

class SoundMixer {
public:
    // The output format, fixed: the audio port and the WAVE writer convert nothing.
    static constexpr int kRate = AudioSource::kRate;
    static constexpr int kChannels = AudioSource::kChannels;
    // Gains are fixed point with 16 fraction bits.
    static constexpr std::int32_t kUnityGain = 1 << 16;

    // What the game thread may ask of a copy in one look, so that "playing" and "position"
    // belong to the same moment.
    struct CopyState {
        bool playing = false;
        std::size_t position = 0;  // frames mixed since the copy was last started
    };

    // Takes a sound in the output format (interleaved stereo at kRate; a trailing odd sample
    // is dropped) and gives its number, counted from 0 since the last Clear.
    int AddSound(std::vector<std::int16_t> samples);
    // A new copy of a sound, stopped at position 0; its number is counted from 0 since the last
    // Clear. -1 when there is no such sound.
    int AddCopy(int sound);
    // Rewinds the copy to position 0 and lets it play once. False when there is no such copy.
    bool Start(int copy);
    // Stops the copy where it is. False when there is no such copy.
    bool Stop(int copy);
    // Not playing, position 0 for a copy that does not exist.
    CopyState State(int copy) const;
    // Drops every copy and every sound; the output is silence afterwards.
    void Clear();

    // Fills out (out.size() / 2 stereo frames) with the sum of every playing copy and advances
    // them; a copy that reaches its end stops. Silence when nothing plays.
    void Mix(std::span<std::int16_t> out);
    // The same, scaled by `gain` (kUnityGain leaves it as it is) and added onto what `inOut`
    // already holds (the music), with the sum clipped once.
    void MixAdd(std::span<std::int16_t> inOut, std::int32_t gain = kUnityGain);

    int SoundCount() const;
    int CopyCount() const;

private:
    void MixLocked(std::span<std::int16_t> out, bool add, std::int32_t gain);

    struct Copy {
        std::shared_ptr<const std::vector<std::int16_t>> samples;
        std::size_t position = 0;  // in frames
        bool playing = false;
    };

    mutable std::mutex mutex_;
    std::vector<std::shared_ptr<const std::vector<std::int16_t>>> sounds_;
    std::vector<Copy> copies_;
    std::vector<std::int32_t> sum_;  // Mix's accumulator, kept to spare an allocation per call
};

}  // namespace kipkip
