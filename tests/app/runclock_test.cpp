// The run's clock: loop ticks as the loop counts them, game ticks as the main window steps.
#include "app/runclock.h"

#include <gtest/gtest.h>

#include "app/ticklistener.h"
#include "support/formrig.h"

namespace kipkip {
namespace {

// What the clock says while the game's step runs, and after the tick.
class ClockWatch : public TickListener {
public:
    explicit ClockWatch(const RunClock& clock) : clock_(clock) {}
    bool AfterTick(std::uint64_t) override
    {
        seen.emplace_back(clock_.LoopTick(), clock_.GameTick());
        return true;
    }
    std::vector<std::pair<std::uint64_t, std::uint64_t>> seen;

private:
    const RunClock& clock_;
};

TEST(RunClock, CountsLoopTicksAndOnlyTheTicksThatSteppedTheGame)
{
    test::FormRig rig;
    ClockWatch watch(rig.clock);
    const bool steps[] = {true, true, false, false, true};
    for (bool step : steps) {
        rig.Tick(watch, step);
    }
    using Seen = std::vector<std::pair<std::uint64_t, std::uint64_t>>;
    EXPECT_EQ(watch.seen, (Seen{{1, 1}, {2, 2}, {3, 2}, {4, 2}, {5, 3}}));
    EXPECT_EQ(rig.clock.NextGameTick(), 4u);
}

// The game's step already runs as the tick it is: a seed drawn in it is noted under that tick.
TEST(RunClock, DuringAStepTheGameTickIsTheOneBeingRun)
{
    RunClock clock;
    EXPECT_EQ(clock.GameTick(), 0u);
    EXPECT_EQ(clock.NextGameTick(), 1u);
    clock.GameStepped();
    EXPECT_EQ(clock.GameTick(), 1u);
}

}  // namespace
}  // namespace kipkip
