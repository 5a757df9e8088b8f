// The difficulty table and what the main mode builds from it: levels, time bonuses, enemies.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <map>
#include <string>
#include <vector>

#include "game/crandom.h"
#include "game/gamemain.h"
#include "game/toycoin.h"
#include "game/toyplat.h"
#include "mainmodescene.h"
#include "platform/sjis.h"

namespace kipkip {
namespace {

using Difficulty = test::MainModeScene;

struct Platform {
    float x = 0;
    float y = 0;
    float vx = 0;
    std::int32_t width = 0;
};

// The platforms of the box by row (y), each row in list order.
std::map<float, std::vector<Platform>> Rows(const std::vector<TToyObject*>& objects)
{
    std::map<float, std::vector<Platform>> rows;
    for (TToyObject* object : objects) {
        auto& platform = dynamic_cast<TToyPlat&>(*object);
        Vector p = platform.GetPosition();
        rows[p.y].push_back({p.x, p.y, platform.GetVelocity().x, platform.width});
    }
    return rows;
}

// A table with the given rows, loaded from a file over the built-in one.
void LoadTable(Difficulty& test, const std::string& rows, int max)
{
    test.dir.Write("table.txt", Utf8ToSjis("{\n name 難易度データ\n max " + std::to_string(max) +
                                           "\n start 0\n" + rows + "}\n"));
    ASSERT_TRUE(test.mode->LoadDifficulty("table.txt")) << test.Reported();
}

TEST_F(Difficulty, TheBuiltInTableHasFortyLevels)
{
    Make();
    ASSERT_EQ(mode->levelCount, 40);
    EXPECT_EQ(mode->levels[0], (LevelRow{3, 3, 4, 4, 0, 10, 60}));
    EXPECT_EQ(mode->levels[26], (LevelRow{3, 4, 1, 2, 60, 70, 30}));
    EXPECT_EQ(mode->levels[39], (LevelRow{1, 2, 1, 2, 80, 110, 20}));
}

TEST_F(Difficulty, LevelZeroIsFortyNineRowsOfThreeBetweenTwoFloors)
{
    StartPlaying();
    EXPECT_EQ(mode->coinChance, 10);
    EXPECT_EQ(mode->enemyChance, 10);
    EXPECT_EQ(Hero().floorY, 0);
    auto rows = Rows(Select("Plat"));
    ASSERT_EQ(rows.size(), 51u);
    for (float floorY : {0.0f, -4800.0f}) {
        ASSERT_EQ(rows[floorY].size(), 1u) << floorY;
        EXPECT_EQ(rows[floorY][0].x, 0.0f) << floorY;
        EXPECT_EQ(rows[floorY][0].vx, 0.0f) << floorY;
    }
    bool someMove = false;
    for (int r = 0; r < 49; ++r) {
        const auto& row = rows[static_cast<float>(-96 * (r + 1))];
        ASSERT_EQ(row.size(), 3u) << "row " << r;
        const float xs[] = {0.0f, 138.0f, 276.0f};
        for (int j = 0; j < 3; ++j) {
            EXPECT_EQ(row[j].x, xs[j]) << "row " << r;
            EXPECT_EQ(row[j].width, 96) << "row " << r;
            EXPECT_EQ(row[j].vx, row[0].vx) << "one speed a row, row " << r;
        }
        float v = row[0].vx;
        EXPECT_LT(std::fabs(v), 10.0f) << "row " << r;
        EXPECT_EQ(v == std::trunc(v), true) << "row " << r;
        // Even rows move left, odd ones right (a speed of 0 is either).
        EXPECT_TRUE(r % 2 == 0 ? v <= 0.0f : v >= 0.0f) << "row " << r << " speed " << v;
        someMove = someMove || v != 0.0f;
    }
    EXPECT_TRUE(someMove);
    for (TToyObject* object : Select("Coin")) {
        auto* coin = dynamic_cast<TToyCoin*>(object);
        ASSERT_NE(coin, nullptr);
        EXPECT_NE(coin->platform->GetPosition().y, 0.0f) << "no coin on a floor";
        EXPECT_EQ(coin->mode, mode.get());
    }
}

TEST_F(Difficulty, TheSameSeedBuildsTheSameLevel)
{
    StartPlaying();
    auto first = Rows(Select("Plat"));
    int coins = Count("Coin");
    mode->timeLeft = 20;
    Tick();  // game over
    Tick();
    PressButton1();  // to the title
    Tick({test::kKeyButton1});
    Tick();
    ASSERT_EQ(mode->state, 1);
    auto second = Rows(Select("Plat"));
    ASSERT_EQ(second.size(), first.size());
    for (const auto& [y, row] : first) {
        ASSERT_EQ(second[y].size(), row.size()) << y;
        for (std::size_t j = 0; j < row.size(); ++j) {
            EXPECT_EQ(second[y][j].vx, row[j].vx) << y;
        }
    }
    EXPECT_EQ(Count("Coin"), coins);
}

TEST_F(Difficulty, TwoPlatformsInARowStandHalfTheTrackApart)
{
    Make();
    LoadTable(*this, " a 2,2, 4,4, 30,30, 10\n", 1);
    mode->GeneratePlatforms(0);
    auto rows = Rows(Select("Plat"));
    for (int r = 0; r < 49; ++r) {
        const auto& row = rows[static_cast<float>(-96 * (r + 1))];
        ASSERT_EQ(row.size(), 2u) << r;
        EXPECT_EQ(row[0].x, 0.0f);
        EXPECT_EQ(row[1].x, 208.0f);
    }
}

TEST_F(Difficulty, ARowWithOneToThreePlatformsGivesEachCount)
{
    Make();
    LoadTable(*this, " a 1,3, 4,4, 30,40, 10\n", 1);
    mode->random.Seed(7);
    mode->GeneratePlatforms(0);
    std::map<std::size_t, int> counts;
    for (const auto& [y, row] : Rows(Select("Plat"))) {
        if (y != 0.0f && y != -4800.0f) {
            ++counts[row.size()];
        }
    }
    EXPECT_EQ(counts.size(), 3u);
    EXPECT_GT(counts[1], 0);
    EXPECT_GT(counts[2], 0);
    EXPECT_GT(counts[3], 0);
}

// How many numbers the level drew: the generator's next three values are found again in the
// sequence of the same seed.
int DrawsMade(std::uint32_t seed, CRandom after)
{
    CRandom reference;
    reference.Seed(seed);
    std::vector<std::int32_t> sequence(2000);
    for (std::int32_t& value : sequence) {
        value = reference.Next();
    }
    const std::int32_t next[] = {after.Next(), after.Next(), after.Next()};
    for (std::size_t draws = 0; draws + 3 <= sequence.size(); ++draws) {
        if (std::equal(next, next + 3, sequence.begin() + static_cast<std::ptrdiff_t>(draws))) {
            return static_cast<int>(draws);
        }
    }
    return -1;
}

TEST_F(Difficulty, OneSpeedForARowDrawsNoNumberForIt)
{
    struct Case {
        const char* row;
        int drawsPerRow;  // count, size, speed, and one coin draw per platform
        float speed;
    };
    const Case cases[] = {
        {" a 2,2, 4,4, 30,30, 10\n", 2 + 2, 30.0f},
        {" a 2,2, 4,4, 30,31, 10\n", 3 + 2, 30.0f},
        {" a 2,1, 4,3, 30,31, 10\n", 1 + 2, 30.0f},  // no width for the count or the size
    };
    for (const Case& c : cases) {
        Make();
        LoadTable(*this, c.row, 1);
        mode->random.Seed(99);
        mode->GeneratePlatforms(0);
        EXPECT_EQ(DrawsMade(99, mode->random), 49 * c.drawsPerRow) << c.row;
        for (const auto& [y, row] : Rows(Select("Plat"))) {
            if (y != 0.0f && y != -4800.0f) {
                EXPECT_EQ(std::fabs(row[0].vx), c.speed) << c.row;
            }
        }
    }
}

TEST_F(Difficulty, LevelsPastTheTableReuseTheLastRow)
{
    Make();
    EXPECT_EQ(mode->TimeBonus(0), 60000);
    EXPECT_EQ(mode->TimeBonus(1), 30000);
    EXPECT_EQ(mode->TimeBonus(39), 20000);
    EXPECT_EQ(mode->TimeBonus(45), 20000);

    mode->GeneratePlatforms(45);
    EXPECT_EQ(mode->coinChance, 5) << "the coin chance still steps with the level";
    EXPECT_EQ(mode->enemyChance, 13) << "the last row's";
    EXPECT_EQ(Hero().floorY, -4800 * 45);
    auto rows = Rows(Select("Plat"));
    ASSERT_EQ(rows.size(), 51u);
    EXPECT_EQ(rows.begin()->first, -4800.0f * 46) << "the top floor";
    EXPECT_EQ(rows.rbegin()->first, -4800.0f * 45) << "the bottom floor";
    for (const auto& [y, row] : rows) {
        if (y == -4800.0f * 45 || y == -4800.0f * 46) {
            continue;
        }
        EXPECT_GE(row.size(), 1u);
        EXPECT_LE(row.size(), 2u);
        for (const Platform& platform : row) {
            EXPECT_TRUE(platform.width == 48 || platform.width == 64) << platform.width;
            EXPECT_GE(std::fabs(platform.vx), 80.0f);
            EXPECT_LT(std::fabs(platform.vx), 110.0f);
        }
    }
}

TEST_F(Difficulty, TheEnemyChanceStepsEveryTenLevels)
{
    Make();
    const std::pair<int, int> cases[] = {{0, 10}, {9, 10}, {10, 11}, {19, 11}, {20, 12}, {30, 13}};
    for (auto [level, chance] : cases) {
        mode->GeneratePlatforms(level);
        EXPECT_EQ(mode->enemyChance, chance) << level;
        EXPECT_EQ(mode->coinChance, 10 - level % 10) << level;
    }
}

TEST_F(Difficulty, EnemiesFallOnlyIntoTheLeftThreeQuarters)
{
    StartPlaying();
    mode->enemyChance = 100;
    mode->elapsed = 0;  // a whole second
    int heroY = mode->HeroY();
    for (int i = 0; i < 400; ++i) {
        mode->SpawnEnemy();
    }
    auto enemies = Select("Enemy");
    ASSERT_EQ(enemies.size(), 400u);
    float highest = 0;
    for (TToyObject* object : enemies) {
        Vector p = dynamic_cast<TToyActor&>(*object).GetPosition();
        EXPECT_GE(p.x, 0.0f);
        EXPECT_LE(p.x, 239.0f);
        EXPECT_EQ(p.y, static_cast<float>(heroY - 200));
        highest = std::max(highest, p.x);
    }
    EXPECT_GT(highest, 200.0f) << "the whole range is used";
}

TEST_F(Difficulty, EnemiesComeOnlyOnWholeSecondsOfTheModesTime)
{
    // 30 ms ticks: the mode's time is a whole second only every 100 ticks.
    Make();
    Tick({}, 30);
    Tick({test::kKeyButton1}, 30);
    Tick({}, 30);
    mode->enemyChance = 100;
    std::vector<std::int32_t> spawnedAt;
    for (int t = 0; t < 250; ++t) {
        std::int32_t before = mode->elapsed;
        int enemies = Count("Enemy");
        Tick({}, 30);
        if (Count("Enemy") > enemies) {
            spawnedAt.push_back(before);
        }
    }
    EXPECT_EQ(spawnedAt, (std::vector<std::int32_t>{3000, 6000}));
}

}  // namespace
}  // namespace kipkip
