// A run that meets more than one fault ends with the most serious one's status.
#include "app/exitstatus.h"

#include <gtest/gtest.h>

namespace kipkip {
namespace {

TEST(ExitStatus, TheLowestNonZeroStatusWins)
{
    using namespace exitstatus;
    const int cases[][3] = {
        {kDone, kDone, kDone},
        {kDone, kUnwritableOutput, kUnwritableOutput},
        {kUnwritableOutput, kDone, kUnwritableOutput},
        {kFatal, kUnwritableOutput, kFatal},
        {kUnwritableOutput, kBadInput, kBadInput},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(Worst(c[0], c[1]), c[2]) << c[0] << " " << c[1];
    }
}

}  // namespace
}  // namespace kipkip
