// app/windowstage.h
// A run in a window on SDL: the window and its frame loop, the keyboard and controller, the
// audio device, and message boxes for what the player must see (set-up errors, the settings'
// warnings, fatal errors once the window is open). With --stats the run's timing is printed at
// the end.
#pragma once

#include <chrono>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "app/commandline.h"
#include "app/runstage.h"
#include "platform/fatalerror.h"
#include "platform/sdl/sdlaudio.h"
#include "platform/sdl/sdlinput.h"
#include "platform/sdl/sdlmessagebox.h"
#include "platform/sdl/sdlsession.h"
#include "platform/sdl/sdlwindow.h"

namespace kipkip {

class WindowStage : public RunStage {
public:
    // `started`: when the program started, for the time to the first frame. `boxes` show what
    // the player must see; they outlive the stage.
    WindowStage(const Options& options, std::chrono::steady_clock::time_point started,
                MessageBoxPort& boxes)
        : options_(options), started_(started), boxes_(boxes)
    {}

    void ReportSetUpError(const std::string& message) override;
    void Tell(const std::string& message) override;
    bool OpenAudio(AudioPath& path) override;
    bool Open(const std::vector<std::string>& warnings) override;
    FrameLoop& Loop() override { return window_; }
    InputPort& PlayerInput() override { return input_; }
    void AddListeners(LoopFanOut&) override {}
    void ReadWindow(MenuSettings& settings) const override;
    void ApplyWindow(const MenuSettings& settings) override;
    int Finish() override;

private:
    const Options& options_;
    std::chrono::steady_clock::time_point started_;
    MessageBoxPort& boxes_;
    SdlSession session_;
    SdlInput input_;
    SdlWindow window_{input_};
    SdlMessageBox messageBox_;
    std::optional<ScopedFatalReporter> reporter_;
    std::unique_ptr<SdlAudio> audio_;
    AudioPath* path_ = nullptr;
    MenuSettings windowSettings_;  // as last applied to the window
};

}  // namespace kipkip
