// app/timedemoreport.h
// The timedemo's one line: the ticks, their total time, ticks per second, and the median and
// 99th percentile of a tick's time (see docs/formats.md).
#pragma once

#include <string>
#include <vector>

namespace kipkip {

// The line, with its newline, for the times of the ticks in microseconds.
std::string TimedemoReport(const std::vector<double>& microseconds);

}  // namespace kipkip
