// --shot: the frame at the end of the named loop tick, as a BMP; a shot that cannot be written
// is reported and the run goes on.
#include "app/shottaker.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "support/formrig.h"
#include "support/tempdir.h"

namespace kipkip {
namespace {

constexpr std::uintmax_t kBmpSize = 54 + 320 * 240 * 3;

TEST(ShotTaker, SavesEachShotAtTheEndOfItsLoopTick)
{
    test::TempDir dir;
    const auto first = dir.Path() / "first.bmp";
    const auto third = dir.Path() / "third.bmp";
    test::FormRig rig;
    ShotTaker shots({{1, first.string()}, {3, third.string()}}, rig.Shown());
    EXPECT_TRUE(rig.Tick(shots));
    EXPECT_EQ(std::filesystem::file_size(first), kBmpSize);
    EXPECT_FALSE(std::filesystem::exists(third));
    EXPECT_TRUE(rig.Tick(shots));
    EXPECT_FALSE(std::filesystem::exists(third));
    EXPECT_TRUE(rig.Tick(shots));
    EXPECT_EQ(std::filesystem::file_size(third), kBmpSize);
    EXPECT_FALSE(shots.Failed());
}

TEST(ShotTaker, AShotThatCannotBeWrittenFailsWithoutStoppingTheRunOrTheOtherShots)
{
    test::TempDir dir;
    const auto good = dir.Path() / "good.bmp";
    test::FormRig rig;
    ShotTaker shots({{1, (dir.Path() / "missing" / "bad.bmp").string()}, {2, good.string()}},
                    rig.Shown());
    EXPECT_TRUE(rig.Tick(shots)) << "the run goes on";
    EXPECT_TRUE(shots.Failed());
    EXPECT_TRUE(rig.Tick(shots));
    EXPECT_EQ(std::filesystem::file_size(good), kBmpSize);
}

}  // namespace
}  // namespace kipkip
