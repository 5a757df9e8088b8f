// Where a height is on the screen during play: on the row its floor is drawn on, or above or
// below the screen, wherever the hero is.
#include "app/paceplace.h"

#include <gtest/gtest.h>

#include <string>

#include "game/gamenames.h"
#include "game/mainmodescene.h"
#include "records/pace.h"

namespace kipkip {
namespace {

using Where = PaceMarkerView::Where;

struct PacePlaceTest : test::MainModeScene {
    // Every platform on a whole metre, against where the game drew it: its height must be
    // placed on its row, or above or below the screen as the row is.
    void ExpectEachFloorOnItsRow(int screenHeight)
    {
        int onScreen = 0;
        int off = 0;
        for (TToyObject* object : Select(gamenames::kClassPlat)) {
            const auto* platform = dynamic_cast<TToyActor*>(object);
            ASSERT_NE(platform, nullptr);
            if (platform->y % TGameMainMode::kPixelsPerMetre != 0) {
                continue;
            }
            const std::int32_t metres = -platform->y / TGameMainMode::kPixelsPerMetre;
            const std::optional<PacePlace> place = PacePlace::Of(*mode, metres, screenHeight);
            ASSERT_TRUE(place);
            const int row = platform->screenY;
            SCOPED_TRACE(std::to_string(metres) + " m drawn on row " + std::to_string(row));
            if (row < 0) {
                EXPECT_EQ(place->where, Where::kAbove);
                ++off;
            } else if (row >= screenHeight) {
                EXPECT_EQ(place->where, Where::kBelow);
                ++off;
            } else {
                EXPECT_EQ(place->where, Where::kOnScreen);
                EXPECT_EQ(place->y, row);
                ++onScreen;
            }
        }
        EXPECT_GT(onScreen, 0) << "some floors are on the screen";
        EXPECT_GT(off, 0) << "and some are off it";
    }
};

TEST_F(PacePlaceTest, AHeightIsOnTheRowItsFloorIsDrawnOnWhereverTheHeroIs)
{
    StartPlaying();
    Tick();
    // The hero's feet y (he falls a little in the tick after he is put there).
    const float heroes[] = {0.0f, -1000.5f, -2399.9f, -4700.0f, -333.25f};
    for (float y : heroes) {
        SCOPED_TRACE("hero at " + std::to_string(y));
        PlaceHeroAt(y);
        Tick();
        ExpectEachFloorOnItsRow(240);
        ExpectEachFloorOnItsRow(100);
    }
}

TEST_F(PacePlaceTest, TheHerosOwnHeightIsWhereHisFeetAreAndAboveAndBelowAreBeyondTheEdges)
{
    StartPlaying();
    Tick();
    ASSERT_EQ(Hero().GetPosition().y, 0.0f) << "he stands on the first floor";
    const int feet = Hero().screenY;
    ASSERT_EQ(feet, 180);
    const struct {
        std::int32_t metres;
        Where where;
        int y;
    } cases[] = {
        {0, Where::kOnScreen, 180},
        {1, Where::kOnScreen, 132},
        {3, Where::kOnScreen, 36},
        {4, Where::kAbove, 0},
        {-1, Where::kOnScreen, 228},
        {-2, Where::kBelow, 0},
        {Pace::kMaxHeight, Where::kAbove, 0},
        {Pace::kMinHeight, Where::kBelow, 0},
    };
    for (const auto& c : cases) {
        const std::optional<PacePlace> place = PacePlace::Of(*mode, c.metres, 240);
        ASSERT_TRUE(place) << c.metres;
        EXPECT_EQ(place->where, c.where) << c.metres;
        EXPECT_EQ(place->y, c.y) << c.metres;
    }
}

TEST_F(PacePlaceTest, ASceneWithoutTheClimbsLayerPlacesNothing)
{
    StartPlaying();
    mode->box->DeleteLayer("");
    EXPECT_FALSE(PacePlace::Of(*mode, 0, 240));
}

}  // namespace
}  // namespace kipkip
