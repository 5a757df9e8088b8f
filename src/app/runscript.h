// app/runscript.h
// The scripted keys of a run, read before anything is started so that a bad file ends the run
// before a window opens: a recording (--replay, --timedemo) and an input script (--input, by
// loop ticks), either, both or none.
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
    // The input script's keys: the game's in a played run; beside a recording, the player's,
    // which reach only the menu.
    const std::optional<InputScript>& Keys() const { return keys_; }

private:
    std::optional<ReplayFile> replay_;
    std::optional<InputScript> keys_;
};

}  // namespace kipkip
