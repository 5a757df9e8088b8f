// Enemies: falling, knocking the hero once, vanishing and leaving the screen.
#include "game/toyenemy.h"

#include <gtest/gtest.h>

#include "actorscene.h"
#include "game/gamenames.h"
#include "game/toykipkip.h"

namespace kipkip {
namespace {

using test::Playing;

struct Enemy : test::ActorScene {
    // The hero standing at (100, 0) on the bottom floor: his hit rectangle is (84, -47) to
    // (116, 1) once drawn.
    TToyKipKip& StandingHero()
    {
        TToyKipKip& hero = AddHero();
        AddFloor(0);
        Ticks(2);
        EXPECT_EQ(hero.GetWorldRect(), (TToyRect{84, -47, 116, 1}));
        return hero;
    }
};

TEST_F(Enemy, FallsSpinningAtOneHundredPixelsPerSecond)
{
    TToyEnemy& enemy = Add<TToyEnemy>(30, -100);
    EXPECT_EQ(enemy.className, gamenames::kClassEnemy);
    EXPECT_EQ(enemy.name, gamenames::kEnemy);
    EXPECT_TRUE(enemy.visible);
    EXPECT_FALSE(enemy.hit);
    EXPECT_EQ(enemy.shape, &enemy.animator);
    EXPECT_EQ(Playing(enemy.animator), gamenames::kAnimeSpin);
    EXPECT_TRUE(enemy.animator.looping);
    Ticks(10);
    EXPECT_FLOAT_EQ(enemy.GetPosition().y, -80.0f);
    EXPECT_EQ(enemy.GetPosition().x, 30.0f);
    EXPECT_EQ(enemy.GetWorldRect(), (TToyRect{14, -96, 46, -64}));
}

TEST_F(Enemy, KnocksTheHeroOnceThenVanishesWhereItHit)
{
    TToyKipKip& hero = StandingHero();
    TToyEnemy& enemy = Add<TToyEnemy>(100, -61);
    int ticks = 0;
    while (!enemy.hit && ticks < 100) {
        Tick();
        ++ticks;
    }
    // Its centre enters the hero's rectangle at y -47.
    ASSERT_TRUE(enemy.hit);
    EXPECT_EQ(TruncateCoordinate(enemy.GetPosition().y), -47);
    EXPECT_TRUE(hero.hurt);
    EXPECT_EQ(Playing(hero.animator), gamenames::kAnimeFallLeft);
    EXPECT_EQ(Heard(gamenames::kSoundFall), 1);
    EXPECT_EQ(enemy.GetVelocity().y, 0.0f);
    EXPECT_EQ(Playing(enemy.animator), gamenames::kAnimeVanish);
    EXPECT_FALSE(enemy.animator.looping);

    // The hero stays in reach (the floor holds him), but an enemy hits at most once. It is
    // removed in the tick after its 680 ms of vanishing have ended.
    float hitY = enemy.GetPosition().y;
    for (int i = 1; i < 34; ++i) {
        Tick();
        ASSERT_EQ(Count(gamenames::kClassEnemy), 1) << "tick " << i;
        EXPECT_EQ(enemy.GetPosition().y, hitY);
    }
    Tick();
    EXPECT_EQ(Count(gamenames::kClassEnemy), 0);
    EXPECT_EQ(Heard(gamenames::kSoundFall), 1);
}

TEST_F(Enemy, HitsOnlyWhenItsCentreIsInsideTheHerosRectangle)
{
    struct Case {
        int x;
        bool hits;
    };
    // The hero's rectangle runs from x 84 to 116, edges included; the enemy is 32 wide.
    const Case cases[] = {{84, true},  {116, true},  {100, true},
                          {83, false}, {117, false}, {130, false}};
    for (const Case& c : cases) {
        NewBox();
        StandingHero();
        TToyEnemy& enemy = Add<TToyEnemy>(c.x, -70);
        Ticks(30);  // past the hero, and not yet vanished
        EXPECT_EQ(enemy.hit, c.hits) << c.x;
        EXPECT_EQ(Heard(gamenames::kSoundFall), c.hits ? 1 : 0) << c.x;
    }
}

TEST_F(Enemy, TwoEnemiesHittingInOneTickKnockTwice)
{
    StandingHero();
    TToyEnemy& first = Add<TToyEnemy>(90, -60);
    TToyEnemy& second = Add<TToyEnemy>(110, -60);
    for (int i = 0; i < 100 && !first.hit; ++i) {
        Tick();
    }
    EXPECT_TRUE(first.hit);
    EXPECT_TRUE(second.hit);
    EXPECT_EQ(Heard(gamenames::kSoundFall), 2);
}

TEST_F(Enemy, RemovesItselfOnceDrawnFourHundredPixelsDown)
{
    AddHero();  // at y 0, so the world is drawn 180 pixels down
    AddFloor(0);
    TToyEnemy& enemy = Add<TToyEnemy>(10, 200);
    // Drawn at 380 + 2 after each tick; it goes in the tick after one drawn at 400.
    for (int i = 1; i <= 10; ++i) {
        Tick();
        ASSERT_EQ(Count(gamenames::kClassEnemy), 1) << "tick " << i;
    }
    EXPECT_EQ(enemy.screenY, 400);
    EXPECT_FALSE(enemy.hit);
    Tick();
    EXPECT_EQ(Count(gamenames::kClassEnemy), 0);
}

TEST_F(Enemy, WithoutAHeroItJustFalls)
{
    TToyEnemy& enemy = Add<TToyEnemy>(100, 0);
    Ticks(5);
    EXPECT_FALSE(enemy.hit);
    EXPECT_FLOAT_EQ(enemy.GetPosition().y, 10.0f);
}

}  // namespace
}  // namespace kipkip
