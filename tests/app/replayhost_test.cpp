// A replay's host hands out the recorded seeds by game tick and the recorded high score.
#include "app/replayhost.h"

#include <gtest/gtest.h>

#include "game/gamemain.h"

namespace kipkip {
namespace {

TEST(ReplayHost, GivesEachGameTheSeedRecordedForItsGameTick)
{
    ReplayFile replay;
    replay.seeds = {{3, 42}, {7, 43}, {9, 44}};
    RunClock clock;
    ReplayHost host(replay, clock);
    struct Case {
        std::uint64_t gameTick;
        std::uint32_t seed;
    };
    // Game tick 8 has no seed of its own (a replay that drifted): it takes the next one, and
    // once they are used up every game gets 0.
    const Case cases[] = {{3, 42}, {8, 44}, {12, 0}};
    for (const Case& c : cases) {
        while (clock.GameTick() < c.gameTick) {
            clock.GameStepped();
        }
        EXPECT_EQ(host.NewGameSeed(), c.seed) << c.gameTick;
    }
}

TEST(ReplayHost, ReadsTheRecordedHighScoreAndWritesNothing)
{
    ReplayFile replay;
    replay.hiScore = 123;
    RunClock clock;
    ReplayHost host(replay, clock);
    auto bytes = host.ReadScoreFile("kipkip.dat", TGameMainMode::kScoreSize);
    ASSERT_TRUE(bytes);
    ASSERT_EQ(bytes->size(), TGameMainMode::kScoreSize);
    EXPECT_EQ(TGameMainMode::DecodeScore(
                  std::span<const std::uint8_t, TGameMainMode::kScoreSize>(bytes->data(), 8)),
              123);
}

}  // namespace
}  // namespace kipkip
