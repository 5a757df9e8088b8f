// The --stats line: the rate counts the intervals between the ticks.
#include "app/statsreport.h"

#include <gtest/gtest.h>

namespace kipkip {
namespace {

TEST(StatsReport, GivesEveryFigureOfTheRun)
{
    SdlWindow::Stats stats;
    stats.ticks = 151;
    stats.seconds = 3.0;
    stats.longestGapMs = 23.25;
    stats.skipped = 2;
    stats.firstFrameMs = 84.6;
    stats.renderer = "software";
    stats.windowWidth = 960;
    stats.windowHeight = 720;
    EXPECT_EQ(StatsReport(stats, 3),
              "ticks 151, seconds 3.000, ticks per second 50.000, longest gap 23.25 ms, skipped 2, "
              "first frame 84.6 ms, renderer software, window 960x720 scale 3\n");
}

TEST(StatsReport, ARunWithoutTimeHasNoRate)
{
    SdlWindow::Stats stats;
    stats.ticks = 1;
    EXPECT_NE(StatsReport(stats, 1).find("ticks per second 0.000,"), std::string::npos);
}

}  // namespace
}  // namespace kipkip
