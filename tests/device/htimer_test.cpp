#include "device/htimer.h"

#include <gtest/gtest.h>

#include "support/fakeports.h"

namespace kipkip {
namespace {

struct TimerFixture : testing::Test {
    test::FakeTimer service;
    THITimer timer{service};
    int ticks = 0;

    void SetHandler()
    {
        timer.SetOnTimer([this](THITimer&) { ++ticks; });
    }
};

TEST_F(TimerFixture, RunsOnlyWhenEnabledWithAnIntervalAndAHandler)
{
    // Enabled by default, but without a handler nothing runs.
    EXPECT_EQ(service.running, 0u);
    SetHandler();
    EXPECT_EQ(service.running, 0u);  // a new handler alone does not start it
    timer.SetInterval(0);
    EXPECT_EQ(service.running, 0u);  // and an interval of 0 never runs, without an error
    timer.SetInterval(20);
    ASSERT_NE(service.running, 0u);
    EXPECT_EQ(service.interval, 20u);
    service.Expire();
    service.Expire();
    EXPECT_EQ(ticks, 2);
    timer.SetEnabled(false);
    EXPECT_EQ(service.running, 0u);
}

TEST_F(TimerFixture, OnlyARealChangeRemakesTheTimer)
{
    SetHandler();
    timer.Loaded();
    ASSERT_EQ(service.created, 1);
    timer.SetInterval(10);   // already 10
    timer.SetEnabled(true);  // already enabled
    timer.Start();           // only records the start time
    EXPECT_EQ(service.created, 1);
    timer.SetInterval(20);
    EXPECT_EQ(service.created, 2);
}

TEST_F(TimerFixture, ARefusedTimerRaisesNoTimerAvailable)
{
    SetHandler();
    service.refuse = true;
    try {
        timer.Loaded();
        FAIL() << "no error raised";
    } catch (const EHITimerError& error) {
        EXPECT_STREQ(error.what(), "No timer available");
    }
    EXPECT_EQ(service.running, 0u);
}

TEST_F(TimerFixture, ElapsedTimeGrowsUntilStopAndSurvivesTheClockWrapping)
{
    SetHandler();
    service.now = 0xFFFFFF00u;
    timer.Start();
    service.now = 0x100;  // the clock wrapped
    EXPECT_EQ(timer.GetElapsedTime(), 0x200u);
    service.now = 0x150;
    timer.Stop();
    service.now = 0x9000;
    EXPECT_EQ(timer.GetElapsedTime(), 0x250u);
    EXPECT_EQ(service.running, 0u);
}

TEST(Timer, DestroyingItStopsTheTicks)
{
    test::FakeTimer service;
    {
        THITimer timer(service);
        timer.SetOnTimer([](THITimer&) {});
        timer.Loaded();
        ASSERT_NE(service.running, 0u);
    }
    EXPECT_EQ(service.running, 0u);
}

}  // namespace
}  // namespace kipkip
