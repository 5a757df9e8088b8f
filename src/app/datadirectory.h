// app/datadirectory.h
// `--dir DIR`: the data directory becomes the current one, so that the game finds
// "files\data.toy" and "kipkip.dat" there as it finds them in the current directory without
// --dir. Every file named on the command line keeps meaning the file it named where the program
// started: those names are made absolute first.
#pragma once

#include <optional>
#include <string>

#include "app/commandline.h"

namespace kipkip {

// Nothing when `options.dataDir` is empty or has been entered (the names of `options` are then
// absolute); else why it could not be.
std::optional<std::string> EnterDataDirectory(Options& options);

}  // namespace kipkip
