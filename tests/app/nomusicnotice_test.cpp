#include "app/nomusicnotice.h"

#include <gtest/gtest.h>

namespace kipkip {
namespace {

// The failure may be known only after some ticks (a SoundFont that fails to load beside the
// game); it is told once, before the next tick.
TEST(NoMusicNotice, TellsOnceAsSoonAsTheMusicIsKnownToBeMissing)
{
    bool missing = false;
    int told = 0;
    NoMusicNotice notice([&missing] { return missing; }, [&told] { ++told; });
    notice.BeforeTick(1);
    notice.BeforeTick(2);
    EXPECT_EQ(told, 0);
    missing = true;
    notice.BeforeTick(3);
    notice.BeforeTick(4);
    EXPECT_EQ(told, 1);
}

}  // namespace
}  // namespace kipkip
