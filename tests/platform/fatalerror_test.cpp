#include "platform/fatalerror.h"

#include <gtest/gtest.h>

#include "platform/fatalcapture.h"

namespace kipkip {
namespace {

TEST(FatalError, OnlyAHoldingConditionReportsAndAsksToEnd)
{
    FatalCapture capture;
    FatalError(false, "nothing");
    EXPECT_TRUE(capture.Messages().empty());
    EXPECT_FALSE(ShutdownRequested());

    FatalError(true, "");
    FatalError(true, "second");
    EXPECT_EQ(capture.Messages(), (std::vector<std::string>{"", "second"}));
    EXPECT_TRUE(ShutdownRequested());
}

TEST(FatalError, ACaptureRestoresThePreviousReporter)
{
    FatalCapture outer;
    {
        FatalCapture inner;
        FatalError(true, "inner");
        EXPECT_EQ(inner.Messages().size(), 1u);
    }
    EXPECT_FALSE(ShutdownRequested());
    FatalError(true, "outer");
    EXPECT_EQ(outer.Messages(), (std::vector<std::string>{"outer"}));
}

}  // namespace
}  // namespace kipkip
