// Where a run ends by itself: after loop tick N, or after the game tick a replay ends with.
#include "app/ticklimit.h"

#include <gtest/gtest.h>

#include "app/runclock.h"

namespace kipkip {
namespace {

TEST(TickLimit, StopsAfterTheLoopTickOrTheGameTickItNames)
{
    struct Case {
        std::uint64_t loopLimit;
        std::uint64_t gameLimit;
        std::uint64_t lastLoopTick;  // of a run whose even loop ticks leave the game still
    };
    const Case cases[] = {{5, 0, 5}, {0, 3, 5}, {4, 3, 4}, {6, 2, 3}, {1, 0, 1}};
    for (const Case& c : cases) {
        RunClock clock;
        TickLimit limit(c.loopLimit, c.gameLimit, clock);
        std::uint64_t tick = 0;
        bool goOn = true;
        while (goOn && tick < 100) {
            ++tick;
            clock.BeforeTick(tick);
            if (tick % 2 != 0) {
                clock.GameStepped();
            }
            goOn = limit.AfterTick(tick);
        }
        EXPECT_EQ(tick, c.lastLoopTick) << c.loopLimit << " " << c.gameLimit;
    }
}

TEST(TickLimit, WithoutALimitTheRunGoesOn)
{
    RunClock clock;
    TickLimit limit(0, 0, clock);
    for (std::uint64_t tick = 1; tick <= 1000; ++tick) {
        clock.GameStepped();
        ASSERT_TRUE(limit.AfterTick(tick)) << tick;
    }
}

}  // namespace
}  // namespace kipkip
