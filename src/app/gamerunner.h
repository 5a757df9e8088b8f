// app/gamerunner.h
// Runs the game, in a window or headless, with one set-up for both, in one order: the data
// directory, the trace, the recording or input script, the other output files, the bitmaps, the
// fonts, the audio, the music; only then does a window open. So a bad recording or script, or an
// output file that cannot be written, ends the run before any window opens.
#pragma once

#include <chrono>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "app/commandline.h"
#include "app/menusettingsfile.h"
#include "platform/sdl/sdlmessagebox.h"

namespace kipkip {

class AudioPath;
class MusicOutput;
class RunScript;
class RunStage;
class TraceWriter;

class GameRunner {
public:
    // `started`: when the program started, for the time to the first frame.
    // `warnings` (the settings file's bad lines) have been printed; a window shows them once
    // more in a box.
    // `boxes`: where a window's message boxes go (nullptr: SDL's own).
    // `settings`: where the menu saves its changes.
    GameRunner(Options options, std::chrono::steady_clock::time_point started,
               std::vector<std::string> warnings = {}, MessageBoxPort* boxes = nullptr,
               MenuSettingsFile::Source settings = {})
        : options_(std::move(options)),
          started_(started),
          warnings_(std::move(warnings)),
          boxes_(boxes != nullptr ? boxes : &sdlBoxes_),
          settings_(std::move(settings))
    {}

    // The program's exit status (exitstatus.h).
    int Run();

private:
    std::unique_ptr<RunStage> MakeStage() const;
    // Each gives an exit status, kDone when the set-up goes on.
    int PrepareFiles(RunStage& stage, TraceWriter& trace, RunScript& script);
    int PrepareSound(RunStage& stage, AudioPath& path, MusicOutput& music);

    Options options_;  // a copy: entering the data directory rewrites its file names
    std::chrono::steady_clock::time_point started_;
    std::vector<std::string> warnings_;
    SdlMessageBox sdlBoxes_;
    MessageBoxPort* boxes_;
    MenuSettingsFile::Source settings_;
};

}  // namespace kipkip
