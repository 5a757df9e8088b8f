// The frame schedule on a clock the test sets by hand, counting microseconds.
#include "platform/frameschedule.h"

#include <gtest/gtest.h>

#include <vector>

namespace kipkip {
namespace {

class HandClock : public FrameSchedule::Clock {
public:
    std::uint64_t Now() override { return now; }
    std::uint64_t Frequency() const override { return 1'000'000; }
    void SetMs(double ms) { now = static_cast<std::uint64_t>(ms * 1000); }

    std::uint64_t now = 5'000'000;  // the schedule never assumes a clock that starts at 0
};

struct FrameScheduleTest : testing::Test {
    HandClock clock;
    FrameSchedule schedule{clock};

    FrameScheduleTest()
    {
        clock.SetMs(5000);
        schedule.Restart(20);
    }
    // The ticks run while the clock walks from `fromMs` to `toMs` in steps of 1 ms, each tick
    // taking no time, as the times (ms) at which they ran.
    std::vector<double> Walk(double fromMs, double toMs)
    {
        std::vector<double> ran;
        for (double ms = fromMs; ms <= toMs; ms += 1) {
            clock.SetMs(ms);
            while (schedule.Next().due) {
                ran.push_back(ms);
            }
        }
        return ran;
    }
};

TEST_F(FrameScheduleTest, TicksEveryIntervalFromTheFirstAtOnce)
{
    EXPECT_EQ(Walk(5000, 5100), (std::vector<double>{5000, 5020, 5040, 5060, 5080, 5100}));
    EXPECT_EQ(schedule.Skipped(), 0u);
}

TEST_F(FrameScheduleTest, WaitsUntilTheNextExpiryRoundedUp)
{
    ASSERT_TRUE(schedule.Next().due);
    clock.SetMs(5007.5);
    FrameSchedule::Decision next = schedule.Next();
    EXPECT_FALSE(next.due);
    EXPECT_EQ(next.waitMs, 13u);
    EXPECT_EQ(next.now, clock.now);
}

// A tick that ran late does not push the later ones back: the schedule is absolute.
TEST_F(FrameScheduleTest, ALateTickDoesNotShiftTheSchedule)
{
    ASSERT_TRUE(schedule.Next().due);
    clock.SetMs(5031);  // expiry 1 (5020) runs 11 ms late
    ASSERT_TRUE(schedule.Next().due);
    EXPECT_FALSE(schedule.Next().due);
    clock.SetMs(5039);
    EXPECT_EQ(schedule.Next().waitMs, 1u) << "expiry 2 is still due at 5040";
}

TEST_F(FrameScheduleTest, AStallSkipsTheMissedExpiriesAndRunsOneTick)
{
    EXPECT_EQ(Walk(5000, 5020).size(), 2u);
    clock.SetMs(5125);  // a 100 ms stall: the expiries at 5040 ... 5120 are all past
    EXPECT_TRUE(schedule.Next().due);
    EXPECT_FALSE(schedule.Next().due) << "no burst";
    EXPECT_EQ(schedule.Skipped(), 4u);
    EXPECT_EQ(Walk(5126, 5160), (std::vector<double>{5140, 5160})) << "on the old grid";
}

TEST_F(FrameScheduleTest, AClockThatGoesBackRestartsFromItsNewTime)
{
    EXPECT_EQ(Walk(5000, 5100).size(), 6u);
    clock.SetMs(3000);
    FrameSchedule::Decision next = schedule.Next();
    EXPECT_FALSE(next.due) << "no burst";
    EXPECT_LE(next.waitMs, 20u) << "no wait longer than one tick";
    EXPECT_EQ(Walk(3001, 3060), (std::vector<double>{3020, 3040, 3060}));
    EXPECT_EQ(schedule.Skipped(), 0u);
}

TEST_F(FrameScheduleTest, ARestartAfterAPauseTicksAtOnceWithoutMakingUpThePause)
{
    EXPECT_EQ(Walk(5000, 5040).size(), 3u);
    clock.SetMs(7000);  // two seconds paused
    schedule.Restart();
    EXPECT_TRUE(schedule.Next().due);
    EXPECT_FALSE(schedule.Next().due);
    EXPECT_EQ(schedule.Skipped(), 0u);
    EXPECT_EQ(Walk(7001, 7040), (std::vector<double>{7020, 7040}));
}

TEST_F(FrameScheduleTest, ANewIntervalTakesEffectFromItsRestart)
{
    EXPECT_EQ(Walk(5000, 5020).size(), 2u);
    schedule.Restart(50);
    EXPECT_EQ(Walk(5021, 5150), (std::vector<double>{5021, 5071, 5121}));
}

// At 70 % a 20 ms tick comes every 28.57 ms, kept exact over many ticks rather than rounded once.
TEST_F(FrameScheduleTest, ASlowerSpeedSpreadsTheTicksOverMoreRealTime)
{
    schedule.Restart(20, 50);
    EXPECT_EQ(Walk(6000, 6120), (std::vector<double>{6000, 6040, 6080, 6120}));
    schedule.Restart(20, 70);
    const std::vector<double> ticks = Walk(7000, 9000);
    ASSERT_EQ(ticks.size(), 71u);  // 2000 ms / (20 ms / 0.7), and the first at once
    EXPECT_NEAR(ticks.back() - ticks.front(), 70 * 20 / 0.7, 1.0);
}

// The menu changes the speed while the loop ticks on: the tick after the change comes one new
// interval after the last one, or at once when that is already past, never in a burst and
// never by skipping one.
TEST_F(FrameScheduleTest, ASpeedChangedMidRunSpacesTheLaterTicksByTheNewInterval)
{
    const struct {
        int from;
        double changeAtMs;
        int to;
        std::vector<double> after;  // the ticks from the change to 5130 ms
    } cases[] = {
        {100, 5030, 50, {5060, 5100}},                     // slower: 40 ms after the tick at 5020
        {50, 5050, 100, {5060, 5080, 5100, 5120}},         // faster: 20 ms after the tick at 5040
        {50, 5075, 100, {5075, 5095, 5115}},               // faster, 5060 already past: at once
        {100, 5030, 100, {5040, 5060, 5080, 5100, 5120}},  // the same speed keeps the grid
        {100, 5000, 50, {5000, 5040, 5080, 5120}},         // before the first tick
    };
    for (const auto& c : cases) {
        clock.SetMs(5000);
        schedule.Restart(20, c.from);
        Walk(5000, c.changeAtMs - 1);
        const std::uint64_t skipped = schedule.Skipped();
        clock.SetMs(c.changeAtMs);
        schedule.SetSpeed(c.to);
        EXPECT_EQ(Walk(c.changeAtMs, 5130), c.after)
            << c.from << " to " << c.to << " at " << c.changeAtMs;
        EXPECT_EQ(schedule.Skipped(), skipped)
            << c.from << " to " << c.to << " at " << c.changeAtMs;
    }
}

}  // namespace
}  // namespace kipkip
