#include "app/timedemoreport.h"

#include <algorithm>
#include <cstdio>
#include <numeric>

namespace kipkip {

std::string TimedemoReport(const std::vector<double>& microseconds)
{
    if (microseconds.empty()) {
        return "timedemo: no tick ran\n";
    }
    std::vector<double> sorted = microseconds;
    std::sort(sorted.begin(), sorted.end());
    const double seconds = std::accumulate(sorted.begin(), sorted.end(), 0.0) / 1e6;
    auto percentile = [&sorted](double p) {
        return sorted[std::min(sorted.size() - 1,
                               static_cast<std::size_t>(p * double(sorted.size())))];
    };
    char line[256];
    std::snprintf(line, sizeof line,
                  "timedemo: ticks %zu, seconds %.3f, ticks per second %.0f, median %.1f us, 99th "
                  "percentile %.1f us\n",
                  sorted.size(), seconds, seconds > 0 ? double(sorted.size()) / seconds : 0.0,
                  percentile(0.5), percentile(0.99));
    return line;
}

}  // namespace kipkip
