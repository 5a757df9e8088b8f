// app/exitstatus.h
// The program's exit statuses; README.md's command-line section lists them for players and
// scripts. When more than one applies, the lowest non-zero one is the run's.
#pragma once

namespace kipkip::exitstatus {

// The run ended as asked: the window was closed, --ticks was reached, the replay ended.
inline constexpr int kDone = 0;
// A fatal error in the data or the game (a file the game cannot run without, a broken image),
// or a file --check found bad.
inline constexpr int kFatal = 1;
// A bad command line, settings that name no data directory, or a bad input script or recording.
inline constexpr int kBadInput = 2;
// An output file named on the command line (a shot, the trace, the recording, the run's sound,
// the MIDI log) cannot be written.
inline constexpr int kUnwritableOutput = 3;

// The status of a run that met both.
constexpr int Worst(int a, int b)
{
    if (a == kDone || b == kDone) {
        return a == kDone ? b : a;
    }
    return a < b ? a : b;
}

}  // namespace kipkip::exitstatus
