// The main mode's screens: the title, play with its level clear, game over, and the data it
// refuses to start with.
#include "game/gamemain.h"

#include <gtest/gtest.h>

#include <string>

#include "game/gamenames.h"
#include "mainmodescene.h"
#include "platform/sjis.h"

namespace kipkip {
namespace {

using test::kKeyButton1;
using MainMode = test::MainModeScene;

constexpr std::string_view kClear = gamenames::kPictureClear;
constexpr std::string_view kGameOver = gamenames::kPictureGameOver;

TEST_F(MainMode, RunsFromTheTitleThroughPlayAndGameOverBackToTheTitle)
{
    Make();
    ASSERT_TRUE(mode->IsPlayable()) << Reported();
    Tick();
    EXPECT_EQ(mode->scene, TGameMainMode::kTitle);
    EXPECT_EQ(mode->state, 1);
    EXPECT_TRUE(LayerShown(gamenames::kLayerTitle));
    EXPECT_TRUE(LayerShown(gamenames::kLayerSpace));
    EXPECT_FALSE(Hero().visible);
    EXPECT_EQ(kernel.repeatDelay, 200);
    EXPECT_EQ(kernel.repeatInterval, 200);
    Ticks(3);
    EXPECT_EQ(mode->scene, TGameMainMode::kTitle) << "nothing happens without the button";

    Tick({kKeyButton1});
    EXPECT_EQ(mode->scene, TGameMainMode::kPlay);
    EXPECT_EQ(mode->state, 0);
    EXPECT_EQ(mode->box->music, "BGM") << "the music starts with the press";
    EXPECT_FALSE(LayerShown(gamenames::kLayerTitle));
    EXPECT_FALSE(LayerShown(gamenames::kLayerSpace));
    EXPECT_EQ(host.gamesStarted, 0) << "the game itself starts in the next tick";

    Tick({kKeyButton1});  // still held: not a new press
    EXPECT_EQ(mode->state, 1);
    EXPECT_EQ(host.gamesStarted, 1);
    EXPECT_TRUE(Hero().visible);
    EXPECT_TRUE(Hero().IsMoving());
    EXPECT_EQ(mode->timeLeft, 60000);
    EXPECT_EQ(Shows("time"), 0) << "the first play tick shows the values from before the game";
    EXPECT_EQ(Count("Plat"), 2 + 49 * 3);

    Tick();
    EXPECT_EQ(mode->timeLeft, 59980);
    EXPECT_EQ(Shows("time"), 60);
    EXPECT_EQ(Shows("height"), 0);

    mode->timeLeft = 40;
    Tick();
    EXPECT_EQ(mode->scene, TGameMainMode::kPlay);
    EXPECT_EQ(mode->timeLeft, 20);
    Tick();
    EXPECT_EQ(mode->scene, TGameMainMode::kGameOver);
    EXPECT_EQ(mode->state, 0);
    EXPECT_EQ(mode->timeLeft, 0);
    EXPECT_EQ(Shows("time"), 0);

    Tick();
    EXPECT_EQ(mode->state, 1);
    EXPECT_TRUE(PictureShown(kGameOver));
    EXPECT_TRUE(LayerShown(gamenames::kLayerSpace));
    EXPECT_FALSE(Hero().IsMoving());
    EXPECT_EQ(mode->box->music, "") << "the music stops";
    for (TToyObject* platform : Select("Plat")) {
        EXPECT_FALSE(dynamic_cast<TToyActor&>(*platform).IsMoving());
    }

    Tick({kKeyButton1});
    EXPECT_EQ(mode->scene, TGameMainMode::kTitle);
    EXPECT_EQ(mode->state, 0);
    EXPECT_EQ(Count("Plat"), 0);
    EXPECT_EQ(Count("Coin"), 0);
    EXPECT_FALSE(PictureShown(kGameOver));
    EXPECT_FALSE(LayerShown(gamenames::kLayerSpace));
    Tick();
    EXPECT_EQ(mode->state, 1);
    EXPECT_TRUE(LayerShown(gamenames::kLayerTitle));
    EXPECT_FALSE(Hero().visible);
}

// Puts the hero on the top floor of level 0: in the first tick he is still in the air (the
// floor comes on the screen, and so gets its hit rectangle, in that tick); he stands from the
// second.
void ReachTopFloor(MainMode& test)
{
    test.PlaceHeroAt(-4800.0f);
    test.Tick();
    EXPECT_TRUE(test.Hero().airborne);
    EXPECT_EQ(test.mode->height, 100);
    EXPECT_EQ(test.mode->state, 1) << "not while in the air";
}

TEST_F(MainMode, StandingOnTheTopFloorClearsTheLevel)
{
    StartPlaying();
    ReachTopFloor(*this);
    mode->timeLeft = 12500;
    Tick();
    EXPECT_FALSE(Hero().airborne);
    EXPECT_EQ(mode->height, 100);
    EXPECT_EQ(mode->state, 2);
    EXPECT_EQ(mode->scene, TGameMainMode::kPlay);

    Tick();
    EXPECT_EQ(mode->state, 3);
    EXPECT_EQ(mode->level, 1);
    EXPECT_EQ(mode->timeTarget, 12480 + 30000);
    EXPECT_TRUE(PictureShown(kClear));
    EXPECT_FALSE(Hero().IsMoving());
}

TEST_F(MainMode, JumpingPastTheTopFloorDoesNotClearTheLevel)
{
    StartPlaying();
    PlaceHeroAt(-4848.0f);  // a metre above the top floor, in the air
    Tick();
    EXPECT_TRUE(Hero().airborne);
    EXPECT_EQ(mode->height, 101);
    EXPECT_EQ(mode->state, 1);
}

TEST_F(MainMode, TheBonusCountsUpASecondPerTickToExactlyTheTarget)
{
    StartPlaying();
    mode->timeLeft = 12500;
    mode->state = 2;
    Tick();
    ASSERT_EQ(mode->timeTarget, 42500);
    for (int k = 1; k <= 30; ++k) {
        Tick();
        EXPECT_EQ(mode->timeLeft, 12500 + 1000 * k) << k;
        EXPECT_EQ(mode->state, k < 30 ? 3 : 4) << k;
        EXPECT_EQ(LayerShown(gamenames::kLayerSpace), k == 30) << k;
        EXPECT_EQ(Shows("time"), 11 + k) << "the display follows one tick later, " << k;
    }
    Tick();
    EXPECT_EQ(Shows("time"), 42);
    EXPECT_EQ(mode->timeLeft, 42500) << "the time stands while the game waits";

    Tick({kKeyButton1});
    EXPECT_EQ(mode->state, 1);
    EXPECT_FALSE(PictureShown(kClear));
    EXPECT_FALSE(LayerShown(gamenames::kLayerSpace));
    EXPECT_TRUE(Hero().IsMoving());
    EXPECT_EQ(Hero().floorY, -4800) << "level 1 starts on the top floor of level 0";
    EXPECT_EQ(Count("Plat"), 2 + 49 * 3);
}

TEST_F(MainMode, TimeRunningOutInTheTickOfAClearEndsTheGame)
{
    StartPlaying();
    ReachTopFloor(*this);
    mode->timeLeft = 20;
    Tick();
    EXPECT_FALSE(Hero().airborne);
    EXPECT_EQ(mode->scene, TGameMainMode::kGameOver);
    EXPECT_EQ(mode->state, 0);
    EXPECT_EQ(mode->level, 0);
}

TEST_F(MainMode, ACoinCreditsFiveSecondsToTheClock)
{
    StartPlaying();
    std::int32_t before = mode->timeLeft;
    mode->AddTime(5);
    EXPECT_EQ(mode->timeLeft, before + 5000);
}

// Data in the data directory: "files\data.toy" decides that the table comes from files too.
struct BrokenData {
    const char* what;
    const char* scene;  // UTF-8
    const char* table;  // UTF-8
    const char* message;
};

constexpr const char* kNumbers =
    "{\n class Number\n name time\n}\n{\n class Number\n name height\n}\n"
    "{\n class Number\n name hiscore\n}\n";
constexpr const char* kTwoRows =
    "{\n name 難易度データ\n max 2\n start 0\n a 3,3, 4,4, 0,10, 60\n b 1,3, 1,4, 5,5, 7\n}\n";

const BrokenData kBrokenData[] = {
    {"a scene without the time",
     "{\n class Number\n name height\n}\n{\n class Number\n name hiscore\n}\n", kTwoRows,
     "files\\data.toy: the scene has no Number \"time\""},
    {"a scene without the height",
     "{\n class Number\n name time\n}\n{\n class Number\n name hiscore\n}\n", kTwoRows,
     "files\\data.toy: the scene has no Number \"height\""},
    {"a scene without the high score",
     "{\n class Number\n name time\n}\n{\n class Number\n name height\n}\n", kTwoRows,
     "files\\data.toy: the scene has no Number \"hiscore\""},
    {"a table without its block", kNumbers,
     "{\n name other\n max 1\n start 0\n a 1,1,1,1,1,1,1\n}\n",
     "files\\dificulty.dat: no block named \"難易度データ\": no level rows"},
    {"a table whose max is 0", kNumbers, "{\n name 難易度データ\n max 0\n start 0\n}\n",
     "files\\dificulty.dat: \"max\" is 0: the table needs at least one level row"},
    {"a table with fewer rows than max", kNumbers,
     "{\n name 難易度データ\n max 3\n start 0\n a 3,3, 4,4, 0,10, 60\n b 1,3, 1,4, 5,5, 7\n}\n",
     "files\\dificulty.dat: \"max\" is 3 but only 2 level rows follow \"start\""},
};

TEST_F(MainMode, IncompleteDataIsReportedByNameAndTheGameDoesNotStart)
{
    for (const BrokenData& data : kBrokenData) {
        dir.Write("files/data.toy", Utf8ToSjis(data.scene));
        dir.Write("files/dificulty.dat", Utf8ToSjis(data.table));
        std::size_t reported = fatal.Messages().size();
        Make();
        EXPECT_FALSE(mode->IsPlayable()) << data.what;
        ASSERT_GT(fatal.Messages().size(), reported) << data.what;
        EXPECT_EQ(SjisToUtf8(fatal.Messages().back()), data.message) << data.what;

        int presents = video.presents;
        Tick();
        Tick({kKeyButton1});
        Tick();
        EXPECT_EQ(mode->scene, TGameMainMode::kTitle) << data.what;
        EXPECT_EQ(Count("Plat"), 0) << data.what;
        EXPECT_EQ(video.presents, presents) << "an inert mode draws nothing: " << data.what;
        EXPECT_EQ(host.gamesStarted, 0) << data.what;
    }
}

TEST_F(MainMode, ADataFileBringsItsOwnTable)
{
    dir.Write("files/data.toy", Utf8ToSjis(kNumbers));
    dir.Write("files/dificulty.dat", Utf8ToSjis(kTwoRows));
    Make();
    EXPECT_TRUE(mode->IsPlayable()) << Reported();
    EXPECT_EQ(mode->levelCount, 2);
    EXPECT_EQ(mode->levels[1], (LevelRow{1, 3, 1, 4, 5, 5, 7}));
    EXPECT_EQ(mode->box->FindLayer(gamenames::kLayerTitle), nullptr) << "the scene is the file's";
}

TEST_F(MainMode, WithoutADataFileBothSourcesAreBuiltIn)
{
    dir.Write("files/dificulty.dat", Utf8ToSjis(kTwoRows));  // alone, it is not looked at
    Make();
    EXPECT_TRUE(mode->IsPlayable());
    EXPECT_EQ(mode->levelCount, 40);
    EXPECT_EQ(mode->startLevel, 0);
    EXPECT_NE(mode->box->FindLayer(gamenames::kLayerTitle), nullptr);
    EXPECT_TRUE(fatal.Messages().empty());
}

}  // namespace
}  // namespace kipkip
