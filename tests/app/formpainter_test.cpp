// A paint request shows the current frame again without stepping the game.
#include "app/formpainter.h"

#include <gtest/gtest.h>

#include "support/formrig.h"

namespace kipkip {
namespace {

TEST(FormPainter, RedrawsTheFrameWithoutAdvancingTheGame)
{
    test::FormRig rig;
    FormPainter painter(rig.form);
    rig.Tick(painter);
    const int presents = rig.video.presents;
    const std::int32_t elapsed = rig.form.Kernel()->elapsed;
    painter.Paint();
    EXPECT_EQ(rig.video.presents, presents + 1);
    EXPECT_EQ(rig.form.Kernel()->elapsed, elapsed);
    EXPECT_EQ(rig.clock.GameTick(), 1u);
}

}  // namespace
}  // namespace kipkip
