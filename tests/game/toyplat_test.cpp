// Platforms: their frame and width, the wrap-around track and carrying what stands on them.
#include "game/toyplat.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <iterator>
#include <string>
#include <vector>

#include "actorscene.h"
#include "game/gamenames.h"
#include "toy/toyanimefile.h"
#include "toy/toyframe.h"
#include "toy/toynames.h"

namespace kipkip {
namespace {

using Platform = test::ActorScene;

TEST_F(Platform, IsDrawnByItsSizesFrameAndIsSizePlusTwoBlocksWide)
{
    auto* file =
        dynamic_cast<TToyAnimeFile*>(box->FindObject(toynames::kAnimeFile, gamenames::kPlat));
    ASSERT_NE(file, nullptr);
    struct Case {
        int size;
        int drawnWidth;
        int width;
    };
    // The floors (size 9) are drawn 320 wide; their `width` follows the formula all the same.
    const Case cases[] = {{0, 32, 32}, {1, 48, 48},   {2, 64, 64},   {3, 80, 80},
                          {4, 96, 96}, {5, 112, 112}, {6, 128, 128}, {9, 320, 176}};
    for (const Case& c : cases) {
        TToyPlat& platform = Add<TToyPlat>(40, 60, c.size, 25.0f);
        EXPECT_EQ(platform.className, gamenames::kClassPlat);
        EXPECT_EQ(platform.name, gamenames::kPlat);
        EXPECT_TRUE(platform.visible);
        EXPECT_EQ(platform.shape, file->FindFrame("plat" + std::to_string(c.size))) << c.size;
        EXPECT_EQ(platform.width, c.width) << c.size;
        EXPECT_EQ(platform.GetVelocity().x, 25.0f);
        EXPECT_EQ(platform.GetVelocity().y, 0.0f);
    }
    Tick();  // the hit rectangle is the frame's, taken when drawn
    std::vector<TToyObject*> platforms;
    box->SelectObjects(platforms, gamenames::kClassPlat, "", "");
    ASSERT_EQ(platforms.size(), std::size(cases));
    for (std::size_t i = 0; i < platforms.size(); ++i) {
        auto* platform = static_cast<TToyPlat*>(platforms[i]);
        EXPECT_EQ(platform->hitRect, (TToyRect{0, 0, cases[i].drawnWidth, 16})) << cases[i].size;
        // Feet anywhere on the top edge, and down to 16 below it, are on the platform.
        int left = platform->x;
        int top = platform->y;
        EXPECT_TRUE(platform->HitPoint(left, top));
        EXPECT_TRUE(platform->HitPoint(left + cases[i].drawnWidth, top + 16));
        EXPECT_FALSE(platform->HitPoint(left + cases[i].drawnWidth + 1, top));
        EXPECT_FALSE(platform->HitPoint(left, top - 1));
    }
}

TEST_F(Platform, ASizeWithoutAFrameHasNoShape)
{
    for (int size : {7, 8, 10, -1}) {
        TToyPlat& platform = Add<TToyPlat>(0, 0, size, 0.0f);
        EXPECT_EQ(platform.shape, nullptr) << size;
    }
    Tick();
}

TEST_F(Platform, WrapsAroundATrackFromMinus96To320)
{
    struct Case {
        float speed;
        int x;
        float after;  // one tick of 20 ms later
    };
    const Case cases[] = {
        {75.0f, 319, -96.0f},  // 320.5: past the right end, back on the left in the same tick
        {50.0f, 319, 320.0f},  // exactly 320 stays until it passes it
        {0.0f, 320, 320.0f},   {-100.0f, -95, 320.0f},  // -97: past the left end
        {-50.0f, -95, -96.0f}, {0.0f, -96, -96.0f},    {60.0f, 100, 101.2f},
    };
    for (const Case& c : cases) {
        TToyPlat& platform = Add<TToyPlat>(c.x, 40, 2, c.speed);
        Tick();
        EXPECT_FLOAT_EQ(platform.GetPosition().x, c.after) << c.x << " at " << c.speed;
        EXPECT_EQ(platform.x, static_cast<int>(c.after)) << c.x << " at " << c.speed;
        box->DeleteObjects(gamenames::kClassPlat, gamenames::kPlat);
    }
}

TEST_F(Platform, NeverLeavesTheTrackAndReachesBothEnds)
{
    TToyPlat& platform = Add<TToyPlat>(0, 40, 2, 400.0f);  // 8 pixels a tick
    float lowest = 0.0f;
    float highest = 0.0f;
    for (int i = 0; i < 200; ++i) {
        Tick();
        lowest = std::min(lowest, platform.GetPosition().x);
        highest = std::max(highest, platform.GetPosition().x);
    }
    EXPECT_EQ(lowest, TToyPlat::kTrackLeft);
    EXPECT_EQ(highest, TToyPlat::kTrackRight);
}

TEST_F(Platform, CarriesWhatStandsOnItByATwentyMillisecondStep)
{
    struct Case {
        float speed;
        float moved;
    };
    const Case cases[] = {{-60.0f, -1.2f}, {150.0f, 3.0f}, {0.0f, 0.0f}};
    for (const Case& c : cases) {
        TToyPlat& platform = Add<TToyPlat>(0, 0, 3, c.speed);
        TToyActor& rider = Add<TToyActor>("Rider", "rider", "", "", 50.0f, -7.0f, 0.0f);
        platform.OnTouched(&rider);
        EXPECT_FLOAT_EQ(rider.GetPosition().x, 50.0f + c.moved) << c.speed;
        EXPECT_EQ(rider.GetPosition().y, -7.0f);
        box->DeleteObjects("Rider", "rider");
        box->DeleteObjects(gamenames::kClassPlat, gamenames::kPlat);
    }
}

}  // namespace
}  // namespace kipkip
