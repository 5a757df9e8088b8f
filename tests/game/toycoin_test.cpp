// Coins: riding their platform, five seconds once when taken, the "+5" and the removal.
#include "game/toycoin.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "actorscene.h"
#include "game/gamenames.h"
#include "game/timebank.h"
#include "game/toykipkip.h"
#include "game/toyplat.h"

namespace kipkip {
namespace {

using test::Playing;

// The main mode's clock, as far as a coin sees it.
struct CreditLog : TimeBank {
    void AddTime(std::int32_t seconds) override { credits.push_back(seconds); }
    std::vector<std::int32_t> credits;
};

struct Coin : test::ActorScene {
    CreditLog bank;

    int PlusShown() const
    {
        return static_cast<int>(std::count(fonts.texts.begin(), fonts.texts.end(), "+5"));
    }
};

TEST_F(Coin, SitsSpinningInTheMiddleOfItsPlatformAndRidesItAroundTheTrack)
{
    struct Case {
        int x;
        float speed;
        bool stopped;
    };
    const Case cases[] = {{300, 100.0f, false}, {-50, -150.0f, false}, {300, 60.0f, true}};
    for (const Case& c : cases) {
        NewBox();
        TToyPlat& platform = Add<TToyPlat>(c.x, -50, 2, c.speed);
        if (c.stopped) {
            platform.StopMoving();
        }
        TToyCoin& coin = Add<TToyCoin>(&platform, &bank);
        EXPECT_EQ(coin.className, gamenames::kClassCoin);
        EXPECT_EQ(coin.name, gamenames::kCoin);
        EXPECT_TRUE(coin.visible);
        EXPECT_EQ(coin.shape, &coin.animator);
        EXPECT_EQ(coin.platform, &platform);
        EXPECT_EQ(Playing(coin.animator), gamenames::kAnimeSpin);
        EXPECT_TRUE(coin.animator.looping);
        EXPECT_EQ(coin.GetPosition(), Vector(0.0f, 0.0f, 0.0f, 1.0f));

        bool wrapped = false;
        for (int i = 0; i < 60; ++i) {
            Tick();
            ASSERT_EQ(coin.GetPosition().x, static_cast<float>(platform.x + 32)) << i;
            ASSERT_EQ(coin.GetPosition().y, -66.0f) << i;
            wrapped = wrapped || platform.x < 0;
        }
        EXPECT_EQ(wrapped, !c.stopped) << c.speed;
        if (c.stopped) {
            EXPECT_EQ(coin.GetPosition().x, 332.0f);
        }
        EXPECT_EQ(coin.taken, 0);
    }
    EXPECT_TRUE(bank.credits.empty());
}

TEST_F(Coin, TakenItCreditsFiveSecondsOnceShowsPlusFiveForASecondAndGoes)
{
    TToyKipKip& hero = AddHero();
    TToyPlat& floor = AddFloor(0);
    TToyCoin& coin = Add<TToyCoin>(&floor, &bank);
    // The hero at (100, 0) covers (84, -47) to (116, 1); the coin on the floor's middle
    // (width 176) covers (72, -32) to (104, 0) once both have been drawn.
    Tick();
    EXPECT_EQ(coin.taken, 0);
    Tick();
    ASSERT_EQ(coin.taken, 1);
    EXPECT_EQ(bank.credits, (std::vector<std::int32_t>{TToyCoin::kSeconds}));
    EXPECT_EQ(Heard(gamenames::kSoundTake), 1);
    EXPECT_EQ(Playing(coin.animator), gamenames::kAnimeVanish);
    EXPECT_FALSE(coin.animator.looping);
    EXPECT_EQ(coin.showTime, TToyCoin::kShowTime);
    EXPECT_FALSE(coin.showPlus);
    EXPECT_EQ(PlusShown(), 0);

    // "+5" from the next tick on, 10 left of and 32 above the coin's centre on the screen;
    // the hero still touches it, but a coin is worth five seconds once.
    const int plusX = coin.screenX - 10;
    const int plusY = coin.screenY - 32;
    const std::uint32_t textBefore = Pixel(plusX + 1, plusY);
    const std::uint32_t cornerBefore = Pixel(plusX, plusY);
    for (int i = 1; i < 50; ++i) {
        Tick();
        ASSERT_EQ(Count(gamenames::kClassCoin), 1) << "tick " << i;
        EXPECT_TRUE(coin.showPlus);
        EXPECT_EQ(coin.showTime, TToyCoin::kShowTime - kTick * i);
        EXPECT_EQ(PlusShown(), i);
    }
    EXPECT_NE(Pixel(plusX + 1, plusY), textBefore);
    EXPECT_EQ(Pixel(plusX, plusY), cornerBefore);  // the text's own background is not drawn
    Tick();
    EXPECT_EQ(Count(gamenames::kClassCoin), 0);
    EXPECT_EQ(PlusShown(), 49);
    EXPECT_EQ(bank.credits.size(), 1u);
    EXPECT_EQ(Heard(gamenames::kSoundTake), 1);
    EXPECT_FALSE(hero.hurt);
}

TEST_F(Coin, OneOutOfTheHerosReachWaits)
{
    AddHero();
    AddFloor(0);
    TToyPlat& platform = Add<TToyPlat>(200, 0, 2, 0.0f);
    TToyCoin& coin = Add<TToyCoin>(&platform, &bank);
    Ticks(20);
    EXPECT_EQ(coin.taken, 0);
    EXPECT_EQ(Playing(coin.animator), gamenames::kAnimeSpin);
    EXPECT_TRUE(bank.credits.empty());
    EXPECT_EQ(Heard(gamenames::kSoundTake), 0);
}

}  // namespace
}  // namespace kipkip
