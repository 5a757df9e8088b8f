// The fan-out: every piece hears every call in the order the pieces were added, and the run
// stops after a tick in which any piece said stop, every piece having seen that tick.
#include "app/loopfanout.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace kipkip {
namespace {

class Piece : public LoopListener {
public:
    Piece(std::string name, std::vector<std::string>& log) : name_(std::move(name)), log_(log) {}
    void Paint() override { log_.push_back(name_ + " paint"); }
    void BeforeTick(std::uint64_t tick) override
    {
        log_.push_back(name_ + " before " + std::to_string(tick));
    }
    bool AfterTick(std::uint64_t tick) override
    {
        log_.push_back(name_ + " after " + std::to_string(tick));
        return tick != stopAfter;
    }
    void SaveScreenshot() override { log_.push_back(name_ + " screenshot"); }

    std::uint64_t stopAfter = 0;

private:
    std::string name_;
    std::vector<std::string>& log_;
};

TEST(LoopFanOut, PassesEveryCallToEveryPieceInOrder)
{
    std::vector<std::string> log;
    Piece a("a", log);
    Piece b("b", log);
    LoopFanOut fanOut;
    fanOut.Add(a);
    fanOut.Add(b);
    fanOut.BeforeTick(7);
    EXPECT_TRUE(fanOut.AfterTick(7));
    fanOut.Paint();
    fanOut.SaveScreenshot();
    EXPECT_EQ(log,
              (std::vector<std::string>{"a before 7", "b before 7", "a after 7", "b after 7",
                                        "a paint", "b paint", "a screenshot", "b screenshot"}));
}

TEST(LoopFanOut, AnyPieceStopsTheRunAndTheOthersStillSeeTheLastTick)
{
    for (int stopper = 0; stopper < 2; ++stopper) {
        std::vector<std::string> log;
        Piece a("a", log);
        Piece b("b", log);
        (stopper == 0 ? a : b).stopAfter = 3;
        LoopFanOut fanOut;
        fanOut.Add(a);
        fanOut.Add(b);
        EXPECT_TRUE(fanOut.AfterTick(2)) << stopper;
        EXPECT_FALSE(fanOut.AfterTick(3)) << stopper;
        EXPECT_EQ(log.back(), "b after 3") << stopper;
    }
}

}  // namespace
}  // namespace kipkip
