// app/outputfiles.h
// The files the command line names for the run to write (the shots, the trace, the recording,
// the run's sound, the MIDI log), checked before the run starts, so that a name that cannot be
// written ends the run before a window opens rather than after the play it was meant to keep.
// The check creates nothing: a file that can be written later may still fail then (a full disk),
// and is reported then.
#pragma once

#include <string>
#include <vector>

#include "app/commandline.h"

namespace kipkip {

// One message for each file that cannot be written, naming what it was for.
std::vector<std::string> UnwritableOutputs(const Options& options);

}  // namespace kipkip
