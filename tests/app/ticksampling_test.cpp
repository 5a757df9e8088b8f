// Each loop tick starts a new sample of the keys: the game reads the device once per tick.
#include "app/ticksampling.h"

#include <gtest/gtest.h>

#include "replay/tickinput.h"
#include "support/fakeports.h"

namespace kipkip {
namespace {

TEST(TickSampling, EachTickReadsTheDeviceAnew)
{
    test::FakeInput device;
    TickInput input(device);
    TickSampling sampling{&input};
    KeyboardState keys;
    for (std::uint64_t tick = 1; tick <= 3; ++tick) {
        sampling.BeforeTick(tick);
        device.keyboard[0x39] = tick == 2 ? 0x80 : 0;
        input.ReadKeyboard(keys);
        input.ReadKeyboard(keys);
        EXPECT_EQ(keys[0x39], tick == 2 ? 0x80 : 0) << tick;
        EXPECT_EQ(device.keyboardReads, static_cast<int>(tick));
    }
}

}  // namespace
}  // namespace kipkip
