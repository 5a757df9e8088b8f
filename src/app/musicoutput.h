// app/musicoutput.h
// The music's output for a run, made as musicchoice.h chose it. The synthesiser's SoundFont
// loads on a thread of its own (loadingsynth.h), so that a window's first frame never waits for
// it; runs whose sound must be the same every time (headless ones, a MIDI log) wait for the
// load before the first tick.
#pragma once

#include <fstream>
#include <memory>
#include <string>

#include "app/loadingsynth.h"
#include "app/midilog.h"
#include "app/musicchoice.h"
#include "platform/fluidsynth/fluidmidiout.h"
#include "platform/silentmidiout.h"

namespace kipkip {

class AudioPath;

class MusicOutput {
public:
    MusicOutput() = default;
    MusicOutput(const MusicOutput&) = delete;
    MusicOutput& operator=(const MusicOutput&) = delete;

    // Makes the chosen output; the synthesiser starts loading `soundFont` (--soundfont: empty
    // looks for one). False, after saying why in `error`, when the MIDI log cannot be written.
    // The path must outlive the output.
    bool Start(const MusicChoice& choice, const std::string& soundFont, const std::string& logFile,
               AudioPath& path, std::string& error);
    // The output the sequencer sends to: at once, or (`waitForSynth`) once the synthesiser's
    // load has ended and it has joined the path.
    MidiOut& Output(bool waitForSynth);
    // The synthesiser's load has ended in failure.
    bool SynthFailed() const { return loading_ && loading_->Failed(); }
    // Why the output did not open, as far as it knows.
    std::string Failure() const;

private:
    SilentMidiOut silent_;
    std::unique_ptr<FluidMidiOut> synth_;
    std::unique_ptr<LoadingSynth> loading_;  // made after the synthesiser, gone before it
    std::ofstream logFile_;
    std::unique_ptr<MidiLog> log_;
    MidiOut* out_ = &silent_;
};

}  // namespace kipkip
