// app/runscript.h
// The scripted keys of a run, read before anything is started so that a bad file ends the run
// before a window opens: a recording's (--replay, --timedemo), an input script's (--input, by
// loop ticks), or none for a run the player plays.
#pragma once

#include <optional>
#include <string>

#include "app/commandline.h"
#include "replay/inputscript.h"
#include "replay/replayfile.h"

namespace kipkip {

class RunScript {
public:
    // False, with the error naming the file and the line, when the file named cannot be read.
    bool Load(const Options& options, std::string& error);

    const std::optional<ReplayFile>& Replay() const { return replay_; }
    // The keys to feed: the recording's, the input script's, or nothing.
    const std::optional<InputScript>& Keys() const { return keys_; }

private:
    std::optional<ReplayFile> replay_;
    std::optional<InputScript> keys_;
};

}  // namespace kipkip
