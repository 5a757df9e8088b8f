// The hero: start pose, jumping, walking and braking, landing on and riding platforms, the
// bottom floor, knocks and the scrolling of the world and the background.
#include "game/toykipkip.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "actorscene.h"
#include "game/gamenames.h"
#include "game/toyplat.h"
#include "kernel/kernel.h"

namespace kipkip {
namespace {

using test::Playing;

struct Hero : test::ActorScene {
    // The hero standing on a full-width floor at y 0, which is also the level's bottom.
    TToyKipKip& Standing()
    {
        TToyKipKip& hero = AddHero();
        AddFloor(0);
        Ticks(2);  // a platform catches feet once it has been drawn
        EXPECT_FALSE(hero.airborne);
        EXPECT_EQ(hero.GetPosition().y, 0.0f);
        return hero;
    }
};

TEST_F(Hero, StartsAtOneHundredFacingLeftOnTheUnnamedLayer)
{
    TToyKipKip& hero = AddHero();
    EXPECT_EQ(hero.className, gamenames::kClassKipKip);
    EXPECT_EQ(hero.name, gamenames::kKipKip);
    EXPECT_EQ(hero.layer, "");
    EXPECT_TRUE(hero.visible);
    EXPECT_TRUE(hero.IsMoving());
    EXPECT_EQ(hero.shape, &hero.animator);
    EXPECT_EQ(hero.GetPosition().x, 100.0f);
    EXPECT_EQ(hero.GetPosition().y, 0.0f);
    EXPECT_FALSE(hero.airborne || hero.idle || hero.facingRight || hero.hurt);
    EXPECT_EQ(hero.hurtTime, 0);
    EXPECT_EQ(hero.floorY, 0);
    EXPECT_EQ(Playing(hero.animator), gamenames::kAnimeFaceLeft);
    EXPECT_TRUE(hero.animator.looping);
}

TEST_F(Hero, ResetRestoresThePoseButKeepsTheVelocityOfAJumpInProgress)
{
    TToyKipKip& hero = Standing();
    Ticks(3, BitRight);
    hero.Knock();
    Tick(BitRight, BitButton1);
    hero.floorY = 500;
    hero.Hide();
    Vector velocity = hero.GetVelocity();
    ASSERT_NE(velocity.y, 0.0f);

    hero.Reset();
    EXPECT_EQ(hero.GetPosition().x, 100.0f);
    EXPECT_EQ(hero.GetPosition().y, 0.0f);
    EXPECT_TRUE(hero.visible);
    EXPECT_FALSE(hero.airborne || hero.idle || hero.facingRight || hero.hurt);
    EXPECT_EQ(hero.hurtTime, 0);
    EXPECT_EQ(hero.floorY, 0);
    EXPECT_EQ(Playing(hero.animator), gamenames::kAnimeFaceLeft);
    EXPECT_EQ(hero.GetVelocity(), velocity);
}

TEST_F(Hero, AStandingJumpRisesExactly112PixelsIn26Ticks)
{
    // Euler steps of 20 ms move the position with the old velocity, and gravity starts in the
    // tick after the jump: the rise is 0.02 x (v0 + v0 + (v0 - dv) + ... + dv) with dv the
    // speed gravity takes in one tick, where continuous motion would rise v0^2 / 2g = 100.
    const double dv = TToyKipKip::kGravity * 0.02;
    const int gravitySteps = static_cast<int>(TToyKipKip::kJumpSpeed / dv);
    const double rise =
        0.02 * (TToyKipKip::kJumpSpeed + gravitySteps * (TToyKipKip::kJumpSpeed + dv) / 2.0);
    ASSERT_EQ(rise, 112.0);

    TToyKipKip& hero = Standing();
    Tick(0, BitButton1);
    EXPECT_TRUE(hero.airborne);
    EXPECT_EQ(hero.GetVelocity().y, -TToyKipKip::kJumpSpeed);
    EXPECT_EQ(Playing(hero.animator), gamenames::kAnimeJumpLeft);
    EXPECT_EQ(Heard(gamenames::kSoundJump), 1);

    float top = 0.0f;
    int ticks = 0;
    while (hero.GetVelocity().y < 0.0f && ticks < 100) {
        Tick();
        ++ticks;
        top = std::min(top, hero.GetPosition().y);
    }
    EXPECT_EQ(ticks, gravitySteps + 1);
    EXPECT_NEAR(-top, rise, 1e-3);

    // Down again onto the floor he started from, standing.
    for (int i = 0; i < 100 && hero.airborne; ++i) {
        Tick();
    }
    EXPECT_FALSE(hero.airborne);
    EXPECT_TRUE(hero.idle);
    EXPECT_EQ(hero.GetPosition().y, 0.0f);
    EXPECT_EQ(Heard(gamenames::kSoundJump), 1);
}

TEST_F(Hero, AJumpReachesTheNextRowButNotTheOneAbove)
{
    struct Case {
        int rowAbove;  // the platform's top edge above the floor
        float landsAt;
    };
    const Case cases[] = {{40, -40.0f}, {96, -96.0f}, {192, 0.0f}};
    for (const Case& c : cases) {
        NewBox();
        TToyKipKip& hero = Standing();
        Add<TToyPlat>(60, -c.rowAbove, 4, 0.0f);
        Tick();
        Tick(0, BitButton1);
        // Rising, he passes the platform from below, up to the top of his jump.
        for (int i = 0; i < 100 && hero.GetVelocity().y < 0.0f; ++i) {
            Tick();
        }
        EXPECT_NEAR(hero.GetPosition().y, -112.0f, 1e-3) << c.rowAbove;
        for (int i = 0; i < 100 && hero.airborne; ++i) {
            Tick();
        }
        EXPECT_FALSE(hero.airborne) << c.rowAbove;
        EXPECT_EQ(hero.GetPosition().y, c.landsAt) << c.rowAbove;
    }
}

TEST_F(Hero, WalksAtOneHundredAndBrakesToADeadStop)
{
    TToyKipKip& hero = Standing();
    Ticks(5, BitRight);
    EXPECT_EQ(hero.GetVelocity().x, TToyKipKip::kWalkSpeed);
    EXPECT_NEAR(hero.GetPosition().x, 108.0f, 1e-4);  // 2 pixels a tick after the first
    EXPECT_TRUE(hero.facingRight);
    EXPECT_FALSE(hero.idle);
    EXPECT_EQ(Playing(hero.animator), gamenames::kAnimeWalkRight);
    EXPECT_TRUE(hero.animator.looping);

    // Braking 800 takes 16 a tick from the tick after the release, and below 10 he stops.
    const float speeds[] = {100, 84, 68, 52, 36, 20, 0};
    float released = hero.GetPosition().x;
    for (float speed : speeds) {
        Tick();
        EXPECT_FLOAT_EQ(hero.GetVelocity().x, speed);
        EXPECT_TRUE(hero.idle);
        EXPECT_EQ(Playing(hero.animator), gamenames::kAnimeFaceRight);
        EXPECT_FALSE(hero.animator.looping);
    }
    EXPECT_EQ(hero.GetAcceleration().x, 0.0f);
    EXPECT_NEAR(hero.GetPosition().x - released, 9.2f, 1e-3);
    Tick();
    EXPECT_NEAR(hero.GetPosition().x - released, 9.2f, 1e-3);
}

TEST_F(Hero, KeepsHisSidewaysSpeedInTheAirAgainstOnlyALightDrag)
{
    TToyKipKip& hero = Standing();
    Ticks(3, BitLeft);
    Tick(BitLeft, BitButton1);
    Tick(BitLeft);
    EXPECT_EQ(hero.GetVelocity().x, -TToyKipKip::kWalkSpeed);
    EXPECT_EQ(hero.GetAcceleration().x, 0.0f);
    Tick();
    EXPECT_EQ(hero.GetAcceleration().x, TToyKipKip::kAirBraking);
    Tick();
    EXPECT_FLOAT_EQ(hero.GetVelocity().x, -96.0f);
    // Holding the direction of travel cancels the drag; the other direction does not steer.
    Tick(BitLeft);
    EXPECT_EQ(hero.GetAcceleration().x, 0.0f);
    Tick(BitRight);
    EXPECT_FLOAT_EQ(hero.GetVelocity().x, -92.0f);
    EXPECT_FALSE(hero.facingRight);
}

TEST_F(Hero, WithBothDirectionsHeldHeWalksRightRestartingTheWalkEveryTick)
{
    TToyKipKip& hero = Standing();
    for (int i = 0; i < 4; ++i) {
        Tick(BitLeft | BitRight);
        EXPECT_EQ(hero.GetVelocity().x, TToyKipKip::kWalkSpeed);
        EXPECT_TRUE(hero.facingRight);
        EXPECT_EQ(Playing(hero.animator), gamenames::kAnimeWalkRight);
        EXPECT_EQ(hero.animator.clock, kTick) << "tick " << i;
    }
}

TEST_F(Hero, StaysBetweenSixteenAndThreeHundredFour)
{
    struct Case {
        std::uint16_t held;
        float edge;
    };
    const Case cases[] = {{BitLeft, 16.0f}, {BitRight, 304.0f}};
    for (const Case& c : cases) {
        NewBox();
        TToyKipKip& hero = Standing();
        Ticks(120, c.held);
        EXPECT_EQ(hero.GetPosition().x, c.edge);
    }
}

TEST_F(Hero, RidesThePlatformHeStandsOn)
{
    struct Case {
        float speed;
        float startX;
    };
    const Case cases[] = {{-60.0f, 100.0f}, {60.0f, 100.0f}, {-60.0f, 20.0f}};
    for (const Case& c : cases) {
        NewBox();
        TToyKipKip& hero = AddHero();
        hero.MoveBy(Vector(c.startX - 100.0f, 0.0f, 0.0f, 0.0f));
        TToyPlat& platform = Add<TToyPlat>(0, 0, 9, c.speed);
        Ticks(2);
        ASSERT_FALSE(hero.airborne);
        float platformX = platform.GetPosition().x;
        float heroX = hero.GetPosition().x;
        Ticks(10);
        EXPECT_NEAR(platform.GetPosition().x - platformX, c.speed * 0.2f, 1e-3) << c.speed;
        EXPECT_NEAR(hero.GetPosition().x, std::max(heroX + c.speed * 0.2f, 16.0f), 1e-3)
            << c.speed << " from " << c.startX;
        EXPECT_EQ(hero.GetPosition().y, 0.0f);
    }
}

TEST_F(Hero, AKnockDropsHimThroughHisPlatformOntoTheNextOneBelow)
{
    TToyKipKip& hero = Standing();
    hero.MoveBy(Vector(0.0f, -96.0f, 0.0f, 0.0f));
    Add<TToyPlat>(60, -96, 4, 0.0f);
    Ticks(2);
    ASSERT_FALSE(hero.airborne);
    ASSERT_EQ(hero.GetPosition().y, -96.0f);

    hero.Knock();
    EXPECT_TRUE(hero.hurt);
    EXPECT_EQ(hero.hurtTime, TToyKipKip::kHurtTime);
    EXPECT_EQ(hero.GetVelocity().y, 0.0f);
    EXPECT_EQ(Playing(hero.animator), gamenames::kAnimeFallLeft);
    EXPECT_TRUE(hero.animator.looping);
    EXPECT_EQ(Heard(gamenames::kSoundFall), 1);

    // 300 ms of his own ticks, in which no platform holds him.
    for (int i = 1; i <= 15; ++i) {
        Tick();
        EXPECT_EQ(hero.hurt, i < 15) << "tick " << i;
        EXPECT_EQ(hero.hurtTime, std::max(0, 300 - 20 * i)) << "tick " << i;
    }
    EXPECT_GT(hero.GetPosition().y, -80.0f);  // past the platform's band
    for (int i = 0; i < 100 && hero.airborne; ++i) {
        Tick();
    }
    EXPECT_FALSE(hero.airborne);
    EXPECT_EQ(hero.GetPosition().y, 0.0f);
    EXPECT_EQ(Playing(hero.animator), gamenames::kAnimeFaceLeft);
}

TEST_F(Hero, AJumpRightAfterAKnockCancelsTheFall)
{
    TToyKipKip& hero = Standing();
    hero.Knock();
    Tick(0, BitButton1);
    EXPECT_EQ(hero.GetVelocity().y, -TToyKipKip::kJumpSpeed);
    EXPECT_EQ(Playing(hero.animator), gamenames::kAnimeJumpLeft);
    EXPECT_EQ(Heard(gamenames::kSoundJump), 1);
    // A second press in the same arc does nothing.
    Tick(0, BitButton1);
    EXPECT_EQ(Heard(gamenames::kSoundJump), 1);
}

TEST_F(Hero, JumpsAgainOnlyInTheTickThatEndsAtTheTopOfAnArc)
{
    struct Case {
        int pressAfter;  // ticks after the first jump
        bool jumpsAgain;
    };
    // The 26th tick ends with no vertical speed at all; the ticks around it do not.
    const Case cases[] = {{10, false}, {25, false}, {26, true}, {27, false}};
    for (const Case& c : cases) {
        NewBox();
        TToyKipKip& hero = Standing();
        Tick(0, BitButton1);
        Ticks(c.pressAfter - 1);
        Tick(0, BitButton1);
        EXPECT_EQ(Heard(gamenames::kSoundJump), c.jumpsAgain ? 2 : 1) << c.pressAfter;
        EXPECT_EQ(hero.GetVelocity().y == -TToyKipKip::kJumpSpeed, c.jumpsAgain) << c.pressAfter;
    }
}

TEST_F(Hero, NeverFallsBelowTheLevelsBottomFloor)
{
    struct Case {
        int floorY;
        bool knocked;
        bool fallsAtTopSpeed;  // 600 pixels per second: 12 a tick, less than a platform's band
    };
    const Case cases[] = {{50, false, false}, {10, true, false}, {1000, true, true}};
    for (const Case& c : cases) {
        NewBox();
        TToyKipKip& hero = AddHero();  // no platform at all
        hero.floorY = c.floorY;
        if (c.knocked) {
            hero.Knock();
        }
        float fastest = 0.0f;
        for (int i = 0; i < 200 && hero.GetPosition().y != static_cast<float>(c.floorY); ++i) {
            Tick();
            fastest = std::max(fastest, hero.GetVelocity().y);
        }
        EXPECT_LE(fastest, TToyKipKip::kMaxFallSpeed) << c.floorY;
        EXPECT_EQ(fastest == TToyKipKip::kMaxFallSpeed, c.fallsAtTopSpeed) << c.floorY;
        // Put down on it, standing, whether or not the knock's time was up.
        EXPECT_EQ(hero.GetPosition().y, static_cast<float>(c.floorY)) << c.floorY;
        EXPECT_EQ(hero.GetVelocity().y, 0.0f) << c.floorY;
        EXPECT_FALSE(hero.hurt) << c.floorY;
        EXPECT_EQ(hero.hurtTime, 0) << c.floorY;
        EXPECT_FALSE(hero.airborne) << c.floorY;
        EXPECT_TRUE(hero.idle) << c.floorY;
        float lowest = hero.GetPosition().y;
        for (int i = 0; i < 100; ++i) {
            Tick();
            lowest = std::max(lowest, hero.GetPosition().y);
        }
        EXPECT_EQ(lowest, static_cast<float>(c.floorY)) << c.floorY;
    }
}

TEST_F(Hero, ScrollsTheWorldToHisFeetAndTheBackgroundByOne256thOfTheClimb)
{
    struct Case {
        int y;
        int worldY;       // 180 - y
        int backgroundY;  // -y / 256 truncated, at most 720
    };
    const Case cases[] = {
        {0, 180, 0},      {100, 80, 0},           {600, -420, -2},        {-300, 480, 1},
        {-1000, 1180, 3}, {-184320, 184500, 720}, {-200000, 200180, 720},
    };
    for (const Case& c : cases) {
        NewBox();
        TToyKipKip& hero = AddHero();
        hero.floorY = c.y;  // holds him where he is put
        hero.MoveBy(Vector(0.0f, static_cast<float>(c.y), 0.0f, 0.0f));
        Tick();
        ASSERT_EQ(hero.GetPosition().y, static_cast<float>(c.y));
        const LayerRecord* world = box->FindLayer("");
        const LayerRecord* background = box->FindLayer(gamenames::kLayerBackground);
        ASSERT_NE(world, nullptr);
        ASSERT_NE(background, nullptr);
        EXPECT_EQ(world->x, 0) << c.y;
        EXPECT_EQ(world->y, c.worldY) << c.y;
        EXPECT_EQ(background->x, 0) << c.y;
        EXPECT_EQ(background->y, c.backgroundY) << c.y;
        EXPECT_EQ(hero.screenY, TToyKipKip::kFeetFromTop) << c.y;
    }
}

// 180 - y is truncated as it is: rounded to a float first, a value just below a whole number
// would become that number and move the world by a pixel for a frame.
TEST_F(Hero, ScrollsByTheExactDifferenceNotItsRoundedFloat)
{
    struct Case {
        float y;
        int worldY;
    };
    const Case cases[] = {
        {1e-6f, 179},
        {0.5f, 179},
        {-1e-6f, 180},
        {std::nextafter(-76.0f, 0.0f), 255},
    };
    for (const Case& c : cases) {
        NewBox();
        TToyKipKip& hero = AddHero();
        hero.MoveBy(Vector(0.0f, c.y, 0.0f, 0.0f));
        hero.floorY = 1000;
        box->SetLayerPos("", 0, 0);
        hero.Act(0);
        ASSERT_EQ(hero.GetPosition().y, c.y);
        EXPECT_EQ(box->FindLayer("")->y, c.worldY) << c.y;
    }
}

}  // namespace
}  // namespace kipkip
