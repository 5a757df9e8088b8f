// app/recordingwriter.h
// `--record`: after each game tick the recorder notes what the game read in it, and the whole
// recording is written out after the tick in which a game ended (so a crash later loses none of
// the games before it) and once more at the end of the run.
#pragma once

#include <cstdint>

#include "app/ticklistener.h"

namespace kipkip {

class ReplayRecorder;
class RunClock;
class TickInput;

class RecordingWriter : public TickListener {
public:
    // All three must outlive the writer.
    RecordingWriter(ReplayRecorder& recorder, TickInput& input, const RunClock& clock)
        : recorder_(recorder), input_(input), clock_(clock)
    {}

    // A game has ended in the tick being run: the recording is written after it.
    void GameOver() { flushDue_ = true; }
    bool AfterTick(std::uint64_t tick) override;
    // Writes the recording at the end of the run.
    void Finish();
    // Whether a write of the recording failed (each failure is reported).
    bool Failed() const { return failed_; }

private:
    void Flush();

    ReplayRecorder& recorder_;
    TickInput& input_;
    const RunClock& clock_;
    std::uint64_t observed_ = 0;  // the last game tick noted
    bool flushDue_ = false;
    bool failed_ = false;
};

}  // namespace kipkip
