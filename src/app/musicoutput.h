// app/musicoutput.h
// The music's output for a run, made as musicchoice.h chose it. The synthesiser's SoundFont
// loads on a thread of its own, so that the load overlaps the opening of the window; Ready
// waits for it, so every run, headless ones too, has its synthesiser ready before the first tick
// and its sound stays the same from run to run.
#pragma once

#include <fstream>
#include <future>
#include <memory>
#include <string>

#include "app/midilog.h"
#include "app/musicchoice.h"
#include "platform/fluidsynth/fluidmidiout.h"
#include "platform/silentmidiout.h"

namespace kipkip {

class AudioPath;

class MusicOutput {
public:
    MusicOutput() = default;
    ~MusicOutput();
    MusicOutput(const MusicOutput&) = delete;
    MusicOutput& operator=(const MusicOutput&) = delete;

    // Makes the chosen output; the synthesiser starts loading `soundFont` (--soundfont: empty
    // looks for one). False, after saying why in `error`, when the MIDI log
    // cannot be written. The path must outlive the output.
    bool Start(const MusicChoice& choice, const std::string& soundFont, const std::string& logFile,
               AudioPath& path, std::string& error);
    // The output the sequencer sends to, once the synthesiser has loaded and joined the path.
    MidiOut& Ready();
    // Why the output did not open, as far as it knows.
    std::string Failure() const;

private:
    SilentMidiOut silent_;
    std::unique_ptr<FluidMidiOut> synth_;
    std::future<void> loading_;
    std::ofstream logFile_;
    std::unique_ptr<MidiLog> log_;
    MidiOut* out_ = &silent_;
    AudioPath* path_ = nullptr;  // until the synthesiser has joined it
};

}  // namespace kipkip
