// app/statsreport.h
// `--stats`: the window's one line at exit about how the ticks ran (see docs/formats.md).
#pragma once

#include <string>

#include "platform/sdl/sdlwindow.h"

namespace kipkip {

// The line, with its newline, for the run's statistics and the window's scale.
std::string StatsReport(const SdlWindow::Stats& stats, int scale);

}  // namespace kipkip
