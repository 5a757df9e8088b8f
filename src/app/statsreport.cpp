#include "app/statsreport.h"

#include <cstdio>

namespace kipkip {

std::string StatsReport(const SdlWindow::Stats& stats, int scale)
{
    // The rate counts the gaps between the ticks: n ticks span n - 1 intervals.
    const double rate = stats.seconds > 0 ? double(stats.ticks - 1) / stats.seconds : 0.0;
    char line[512];
    std::snprintf(line, sizeof line,
                  "ticks %llu, seconds %.3f, ticks per second %.3f, longest gap %.2f ms, skipped "
                  "%llu, first frame %.1f ms, renderer %s, window %dx%d scale %d\n",
                  static_cast<unsigned long long>(stats.ticks), stats.seconds, rate,
                  stats.longestGapMs, static_cast<unsigned long long>(stats.skipped),
                  stats.firstFrameMs, stats.renderer.c_str(), stats.windowWidth, stats.windowHeight,
                  scale);
    return line;
}

}  // namespace kipkip
