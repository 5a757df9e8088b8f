// The timedemo's line from the ticks' times, and its stopwatch.
#include "app/timedemoreport.h"

#include <gtest/gtest.h>

#include "app/tickstopwatch.h"

namespace kipkip {
namespace {

TEST(TimedemoReport, GivesTheCountTheTotalTheRateAndThePercentiles)
{
    struct Case {
        std::vector<double> micros;
        std::string line;
    };
    std::vector<double> hundred(100, 10.0);
    hundred[99] = 1010.0;  // one slow tick: the 99th percentile
    const Case cases[] = {
        {{}, "timedemo: no tick ran\n"},
        {{40, 10, 30, 20},
         "timedemo: ticks 4, seconds 0.000, ticks per second 40000, median 30.0 us, 99th "
         "percentile 40.0 us\n"},
        {hundred,
         "timedemo: ticks 100, seconds 0.002, ticks per second 50000, median 10.0 us, 99th "
         "percentile 1010.0 us\n"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(TimedemoReport(c.micros), c.line);
    }
}

TEST(TickStopwatch, TimesEachTickFromBeforeToAfter)
{
    TickStopwatch stopwatch;
    for (std::uint64_t tick = 1; tick <= 5; ++tick) {
        stopwatch.BeforeTick(tick);
        EXPECT_TRUE(stopwatch.AfterTick(tick));
    }
    ASSERT_EQ(stopwatch.Microseconds().size(), 5u);
    for (double us : stopwatch.Microseconds()) {
        EXPECT_GE(us, 0.0);
    }
}

}  // namespace
}  // namespace kipkip
