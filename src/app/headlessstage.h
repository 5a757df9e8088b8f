// app/headlessstage.h
// A run without a window or an audio device: the ticks run back to back, the keys come from a
// script (none held without one), and the run's sound is either rendered tick by tick into the
// WAVE file of --audio-out or, unheard, only has its music's passes run.
#pragma once

#include <optional>
#include <string>

#include "app/audiocapture.h"
#include "app/commandline.h"
#include "app/runstage.h"
#include "app/unheardmusic.h"
#include "platform/headless/headlessloop.h"
#include "replay/scriptedinput.h"

namespace kipkip {

class HeadlessStage : public RunStage {
public:
    // The options outlive the stage. Their --audio-out (empty for none) is read when the sound
    // is saved, by then made absolute: entering the data directory must not move the file.
    explicit HeadlessStage(const Options& options) : options_(options) {}

    void ReportSetUpError(const std::string& message) override;
    void Tell(const std::string& message) override;
    bool OpenAudio(AudioPath& path) override;
    bool Open(const std::vector<std::string>&) override { return true; }
    FrameLoop& Loop() override { return loop_; }
    InputPort& PlayerInput() override { return nothingHeld_; }
    void AddListeners(LoopFanOut& fanOut) override;
    int Finish() override;

private:
    const Options& options_;
    HeadlessLoop loop_;
    ScriptedInput nothingHeld_{InputScript{}};
    std::optional<AudioCapture> capture_;
    std::optional<UnheardMusic> unheard_;
};

}  // namespace kipkip
