// app/gamerunner.h
// Runs the game: in a window on SDL, or headless (no window, no audio device, ticks back to back,
// scripted keys). Either way the main window's start-up, ticks and shut-down are the same;
// after each tick the trace is written and the tick limit checked.
#pragma once

#include <chrono>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "app/commandline.h"
#include "app/replayfile.h"

namespace kipkip {

class GameRunner {
public:
    // `started`: when the program started, for the time to the first frame.
    // `warnings` (the settings file's bad lines) have been printed; a window shows them once
    // more in a box.
    GameRunner(Options options, std::chrono::steady_clock::time_point started,
               std::vector<std::string> warnings = {})
        : options_(std::move(options)), started_(started), warnings_(std::move(warnings))
    {}

    // The program's exit status: 0, 1 after a fatal error, 2 for a bad input script.
    int Run();

private:
    int RunWindowed();
    int RunHeadless();
    // Makes the file names of the options absolute, then enters --dir; false, after saying
    // why, when it cannot.
    bool EnterDataDirectory();
    void EndWithReplay(const std::optional<ReplayFile>& replay);

    Options options_;  // a copy: entering the data directory rewrites its file names
    std::chrono::steady_clock::time_point started_;
    std::vector<std::string> warnings_;
};

}  // namespace kipkip
