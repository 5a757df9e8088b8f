#include "game/gamemode.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>

#include "device/kivdraw.h"
#include "game/gamemgrmode.h"
#include "kernel/kernel.h"
#include "support/fakedrawing.h"

namespace kipkip {
namespace {

// A mode that draws (and so presents) and writes down each call it gets.
class LoggingMode : public TGameMode {
public:
    LoggingMode(TGameMode* parent, TKernel* kernel, std::string& log, int finishAfter = -1)
        : TGameMode(parent, 0, kernel), log_(log), finishAfter_(finishAfter)
    {}
    void Enter() override
    {
        log_ += "enter ";
        TGameMode::Enter();
    }
    void Update(int) override
    {
        log_ += "update ";
        if (frames == finishAfter_) {
            finished = true;
        }
    }
    void Draw() override { log_ += "draw "; }
    void Leave() override { log_ += "leave "; }
    ~LoggingMode() override { log_ += "gone "; }

private:
    std::string& log_;
    int finishAfter_;
};

struct ModeFixture : testing::Test {
    test::FakeDrawing screen;
    test::FakeVideo& video = screen.video;
    TKivDraw& draw = screen.draw;
    TKernel kernel{&draw, nullptr, nullptr, nullptr};
    std::string log;

    ModeFixture() { draw.Init(4, 4, false, 16); }
};

TEST_F(ModeFixture, AModeThatDoesNotDrawNeverPresents)
{
    TGameMode mode(nullptr, 0, &kernel);
    mode.Paint();
    mode.Step(20);
    mode.Step(20);
    mode.Paint();
    EXPECT_EQ(video.presents, 0);
    EXPECT_EQ(mode.frames, 2);
    EXPECT_EQ(mode.elapsed, 40);
}

// A mode's clock and frame count wrap round their 32 bits, and its blink goes on from the
// wrapped, negative time as signed arithmetic gives it.
TEST_F(ModeFixture, TheModesClockWrapsRoundItsThirtyTwoBits)
{
    TGameMode mode(nullptr, 0, &kernel);
    mode.elapsed = INT32_MAX - 9;
    mode.frames = INT32_MAX;
    mode.Step(20);
    EXPECT_EQ(mode.elapsed, INT32_MIN + 10);
    EXPECT_EQ(mode.frames, INT32_MIN);
    EXPECT_TRUE(mode.IsBlinkOn(100)) << "-2147483638 mod 200 is -38";
    mode.elapsed = INT32_MIN + 90;  // -2147483558 mod 200 is -158
    EXPECT_TRUE(mode.IsBlinkOn(100));
}

TEST_F(ModeFixture, AStepEntersOnceThenUpdatesDrawsAndPresents)
{
    LoggingMode mode(nullptr, &kernel, log);
    mode.Step(20);
    mode.Step(20);
    mode.Paint();
    EXPECT_EQ(log, "enter update draw update draw draw ");
    EXPECT_EQ(video.presents, 3);
}

TEST_F(ModeFixture, AFinishedChildEndsItsStepThenGoesAndTheParentResumesNextTick)
{
    LoggingMode parent(nullptr, &kernel, log);
    parent.child = std::make_unique<LoggingMode>(&parent, &kernel, log, 0);
    parent.Step(20);
    EXPECT_EQ(log, "enter update draw leave gone ");
    EXPECT_EQ(video.presents, 1);
    EXPECT_EQ(parent.frames, 0);  // the parent's own step did not run
    EXPECT_EQ(parent.child, nullptr);
    log.clear();
    parent.Step(20);
    EXPECT_EQ(log, "enter update draw ");
    EXPECT_EQ(parent.frames, 1);
}

TEST_F(ModeFixture, PaintGoesToTheChild)
{
    TGameMode parent(nullptr, 0, &kernel);
    parent.child = std::make_unique<LoggingMode>(&parent, &kernel, log);
    parent.Paint();
    EXPECT_EQ(log, "draw ");
    EXPECT_EQ(video.presents, 1);
}

TEST(GameModeClock, BlinkAndCycleFollowTheModesOwnTime)
{
    TGameMode mode(nullptr, 0, nullptr);
    const std::pair<std::int32_t, bool> blinks[] = {{0, true},    {99, true},  {100, false},
                                                    {199, false}, {200, true}, {-50, true}};
    for (auto [elapsed, on] : blinks) {
        mode.elapsed = elapsed;
        EXPECT_EQ(mode.IsBlinkOn(100), on) << elapsed;
    }
    mode.elapsed = 750;
    EXPECT_EQ(mode.CycleIndex(100, 4), 3);
}

TEST_F(ModeFixture, TheRootMakesItsChildInTickOneAndHandsItEverythingAfter)
{
    int made = 0;
    TGameMgrMode root(nullptr, 0, &kernel, [&](TGameMode* parent, std::int32_t, TKernel* k) {
        ++made;
        return std::make_unique<LoggingMode>(parent, k, log, 1);
    });
    root.Paint();
    root.Step(20);  // creates the child; nothing presented
    EXPECT_EQ(made, 1);
    EXPECT_EQ(video.presents, 0);
    EXPECT_EQ(log, "");
    root.Step(20);  // the child enters
    root.Step(20);  // the child finishes and goes
    EXPECT_EQ(log, "enter update draw update draw leave gone ");
    EXPECT_EQ(root.child, nullptr);
    root.Step(20);  // a fresh child, without the root entering again
    EXPECT_EQ(made, 2);
    EXPECT_EQ(root.frames, 2);
}

}  // namespace
}  // namespace kipkip
