// The game's timer behind the menu's gate: expiries reach the game only while the gate is open.
#include "app/gatedtimer.h"

#include <gtest/gtest.h>

#include <cstdint>

#include "support/fakeports.h"

namespace kipkip {
namespace {

TEST(GatedTimer, AnExpiryReachesTheHandlerOnlyWhileNotHeld)
{
    test::FakeTimer service;
    bool held = true;  // held when the timer is made: the gate is asked at each expiry
    GatedTimer gate(service, [&] { return held; });
    int expiries = 0;
    const std::uint32_t id = gate.CreatePeriodic(16, [&] { ++expiries; });
    ASSERT_NE(id, 0u);
    EXPECT_EQ(service.interval, 16u);

    const struct {
        bool held;
        int expiries;  // after one more expiry
    } steps[] = {{true, 0}, {false, 1}, {false, 2}, {true, 2}, {true, 2}, {false, 3}};
    for (std::size_t i = 0; i < std::size(steps); ++i) {
        held = steps[i].held;
        service.Expire();
        EXPECT_EQ(expiries, steps[i].expiries) << "step " << i;
    }

    service.now = 1234;
    EXPECT_EQ(gate.NowMs(), 1234u);
    gate.Kill(id);
    EXPECT_EQ(service.running, 0u);
}

}  // namespace
}  // namespace kipkip
