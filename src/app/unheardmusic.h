// app/unheardmusic.h
// A run whose sound nobody hears or keeps (headless without --audio-out) still runs the music's
// passes, two after each tick, so the song advances, loops and ends as it would be heard, and the
// MIDI log has the same times; no samples are made. While the game is held the song waits.
#pragma once

#include "app/ticklistener.h"

namespace kipkip {

class AudioPath;

class UnheardMusic : public TickListener {
public:
    explicit UnheardMusic(AudioPath& path) : path_(path) {}

    bool AfterTick(std::uint64_t tick) override;

private:
    AudioPath& path_;
};

}  // namespace kipkip
