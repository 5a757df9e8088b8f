// Animation files, read from the program's resources or from disk, and the animators that
// play their animations.
#include "toy/toyanimefile.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "texdb/texdbnames.h"
#include "toy/toyactor.h"
#include "toy/toyanimator.h"
#include "toy/toyanime.h"
#include "toy/toyframe.h"
#include "toy/toyimage.h"
#include "toy/toypicture.h"
#include "toy/toyscene.h"

namespace kipkip {
namespace {

using test::SceneFixture;
using test::SizedBitmaps;
using test::Sjis;

// The scene's four animation files, from the program's resources.
struct BuiltInFiles : SceneFixture {
    BuiltInFiles()
    {
        LoadBuiltIn(
            "{\nclass Layer\nshow 1\n}\n"
            "{\nclass AnimeFile\nname 床\npos 37,25\nfileName plat\n}\n"
            "{\nclass AnimeFile\nname キップキップ\npos 37,25\nfileName kipkip\n}\n"
            "{\nclass AnimeFile\nname 敵\npos 37,25\nfileName enemy\n}\n"
            "{\nclass AnimeFile\nname コイン\npos 37,25\nfileName coin\n}\n");
    }
    TToyAnimeFile* File(std::string_view name) { return Find<TToyAnimeFile>("AnimeFile", name); }
    // An animator of the box, as an actor would make it.
    std::unique_ptr<TToyAnimator> Animator(std::string_view fileName)
    {
        return std::make_unique<TToyAnimator>(&box, Sjis(fileName));
    }
    static std::string FrameName(TToyFrame* frame)
    {
        return frame == nullptr ? "none" : frame->name;
    }
};

TEST_F(BuiltInFiles, EachFileHoldsItsImagesFramesAndAnimations)
{
    EXPECT_TRUE(fatal.Messages().empty());
    struct Case {
        const char* name;
        const char* fileName;
        int images;
        int frames;
        int animes;
    };
    const Case cases[] = {
        {"床", "plat", 1, 8, 0},
        {"キップキップ", "kipkip", 2, 10, 8},
        {"敵", "enemy", 1, 8, 2},
        {"コイン", "coin", 1, 11, 2},
    };
    for (const Case& c : cases) {
        TToyAnimeFile* file = File(c.name);
        ASSERT_NE(file, nullptr) << c.name;
        EXPECT_EQ(file->fileName, c.fileName);
        EXPECT_EQ(file->x, 37);
        EXPECT_EQ(file->y, 25);
        std::vector<TToyObject*> found;
        EXPECT_EQ(file->objects.Select(found, "Image", "", ""), c.images) << c.name;
        EXPECT_EQ(file->objects.Select(found, "Frame", "", ""), c.frames) << c.name;
        EXPECT_EQ(file->objects.Select(found, "Anime", "", ""), c.animes) << c.name;
        std::vector<std::string> lines;
        file->SaveKeys(lines);
        EXPECT_EQ(lines, (std::vector<std::string>{"\tpos\t\t\t37,25",
                                                   std::string("\tfileName\t\t") + c.fileName}));
    }
    // The files' images are sprites of the device, but not images of the box.
    EXPECT_NE(draw.GetSpriteSurf(Sjis("落下")), nullptr);
    EXPECT_EQ(box.FindImage(Sjis("落下")), nullptr);
    auto* falling =
        dynamic_cast<TToyImage*>(File("キップキップ")->objects.Find("Image", Sjis("落下")));
    ASSERT_NE(falling, nullptr);
    EXPECT_EQ(falling->cellCount, 2);
}

TEST_F(BuiltInFiles, EachFileFindsItsOwnFrameZero)
{
    TToyFrame* enemyFrame = File("敵")->FindFrame("frame0");
    TToyFrame* coinFrame = File("コイン")->FindFrame("frame0");
    ASSERT_NE(enemyFrame, nullptr);
    ASSERT_NE(coinFrame, nullptr);
    EXPECT_NE(enemyFrame, coinFrame);
    EXPECT_EQ(enemyFrame->GetImage()->name, Sjis("敵"));
    EXPECT_EQ(coinFrame->GetImage()->name, Sjis("コイン"));
    EXPECT_EQ(File("敵")->FindAnime(Sjis("回転"))->GetEntry(0)->frame, enemyFrame);
    EXPECT_EQ(File("コイン")->FindAnime(Sjis("回転"))->GetEntry(0)->frame, coinFrame);
    EXPECT_EQ(File("コイン")->FindFrame("frame10"), nullptr);
    EXPECT_EQ(File("コイン")->FindAnime("frame0"), nullptr);
}

TEST_F(BuiltInFiles, TheSpinningCoinLoopsEvery600Milliseconds)
{
    auto animator = Animator("コイン");
    animator->Play(Sjis("回転"), true);
    EXPECT_TRUE(animator->playing);
    EXPECT_EQ(animator->duration, 600);
    std::vector<int> clocks;
    std::vector<std::string> frames;
    for (int tick = 0; tick < 31; ++tick) {
        clocks.push_back(animator->clock);
        frames.push_back(FrameName(animator->anime->FrameAt(animator->clock)));
        animator->Update(20);
    }
    for (int tick = 0; tick < 30; ++tick) {
        EXPECT_EQ(clocks[tick], 20 * tick);
    }
    EXPECT_EQ(clocks[30], 0) << "600 goes back to 0";
    EXPECT_EQ(frames[0], "frame0");
    EXPECT_EQ(frames[5], "frame0");   // 100
    EXPECT_EQ(frames[6], "frame1");   // 120
    EXPECT_EQ(frames[10], "frame1");  // 200
    EXPECT_EQ(frames[26], "frame5");  // 520
    EXPECT_EQ(frames[29], "frame5");  // 580
    EXPECT_TRUE(animator->playing);
}

TEST_F(BuiltInFiles, TheVanishingCoinStopsAt401AndKeepsShowingItsLastFrame)
{
    auto animator = Animator("コイン");
    animator->Play(Sjis("消滅"), false);
    EXPECT_EQ(animator->duration, 401);
    int updates = 0;
    while (animator->playing && updates < 100) {
        animator->Update(20);
        ++updates;
    }
    EXPECT_EQ(updates, 21);
    EXPECT_FALSE(animator->playing);
    EXPECT_EQ(animator->clock, 401);
    animator->Update(20);
    EXPECT_EQ(animator->clock, 401) << "a stopped animator's clock stands";

    // frameN is cell 10 (column 4, row 1 of the 192 x 64 coin) at (-16, -16).
    animator->SetPos(100, 100);
    animator->Draw(1000, 1000);
    EXPECT_EQ(FrameName(animator->anime->FrameAt(animator->clock)), "frameN");
    EXPECT_EQ(Pixel(84, 84), SizedBitmaps::Mark(128, 32));
    EXPECT_EQ(Pixel(115, 115), SizedBitmaps::Mark(159, 63));
    EXPECT_EQ(animator->hitRect, (TToyRect{-16, -16, 16, 16}));
}

TEST_F(BuiltInFiles, PlayStartsAgainFromZeroAndAnUnknownAnimationLeavesNothingToDraw)
{
    auto animator = Animator("敵");
    EXPECT_EQ(animator->className, "Animator");
    EXPECT_EQ(animator->name, "");
    EXPECT_NE(animator->animeFile, nullptr);
    EXPECT_EQ(animator->anime, nullptr);
    EXPECT_FALSE(animator->playing);
    animator->Update(20);
    EXPECT_EQ(animator->clock, 0) << "stopped";

    animator->Play(Sjis("回転"), true);
    animator->Update(60);
    animator->Play(Sjis("回転"), true);
    EXPECT_EQ(animator->clock, 0);

    animator->Update(60);
    animator->Play("nothing", false);
    EXPECT_EQ(animator->anime, nullptr);
    EXPECT_TRUE(animator->playing);
    EXPECT_TRUE(animator->looping);
    EXPECT_EQ(animator->clock, 60);
    EXPECT_EQ(animator->duration, 400);
    animator->SetPos(50, 50);
    animator->Draw(0, 0);
    EXPECT_EQ(Pixel(50, 50), 0u);
    std::vector<std::string> lines;
    animator->SaveKeys(lines);
    EXPECT_TRUE(lines.empty());
}

TEST_F(BuiltInFiles, AnAnimatorWithoutItsFileDrawsNothing)
{
    auto animator = Animator("どこにもない");
    EXPECT_EQ(animator->animeFile, nullptr);
    animator->Play(Sjis("回転"), true);
    EXPECT_EQ(animator->anime, nullptr);
    EXPECT_FALSE(animator->playing);
    animator->SetPos(50, 50);
    animator->Draw(0, 0);
    animator->Update(20);
    EXPECT_EQ(Pixel(50, 50), 0u);
    EXPECT_EQ(animator->hitRect, (TToyRect{0, 0, 0, 0}));
}

TEST_F(BuiltInFiles, AnActorShowsItsAnimatorAtItsPosition)
{
    auto animator = Animator("敵");
    animator->Play(Sjis("回転"), true);
    auto actor = std::make_unique<TToyActor>(&box, "Enemy", Sjis("敵"), "", "", 40.0f, 30.0f, 0.0f);
    actor->shape = animator.get();
    actor->Show();
    TToyActor& enemy = *actor;
    box.AddObject(std::move(actor));
    box.Draw();
    // frame0: enemy cell 0 at (-16, -16).
    EXPECT_EQ(Pixel(24, 14), SizedBitmaps::Mark(0, 0));
    EXPECT_EQ(enemy.hitRect, (TToyRect{-16, -16, 16, 16}));
}

TEST_F(BuiltInFiles, ASavedFileReadsBackTheSame)
{
    TToyAnimeFile* hero = File("キップキップ");
    ASSERT_TRUE(hero->SaveFile("copy"));
    std::vector<std::string> original;
    hero->objects.SaveAll(original);

    // No resource is called "copy": the file of exactly that name is read, and its images
    // still find the program's bitmaps.
    LoadBuiltIn("{\nclass AnimeFile\nname copy\nfileName copy\n}\n");
    TToyAnimeFile* copy = File("copy");
    ASSERT_NE(copy, nullptr);
    std::vector<std::string> again;
    copy->objects.SaveAll(again);
    EXPECT_EQ(again, original);
    EXPECT_TRUE(fatal.Messages().empty());
}

using AnimeFileTest = SceneFixture;

TEST_F(AnimeFileTest, AFileOnDiskIsReadFromTheBaseDirectoryWithItsExtension)
{
    dir.Write("art/img.bmp", "2 1  1 2");
    dir.Write("art/walk.anm",
              "{\nclass Image\nname walkImage\nfileName img\nsize 1,1\n}\n"
              "{\nclass Layer\nname ignored\n}\n"
              "{\nclass Picture\nname ignored\nfileName img\n}\n"
              "{\nclass Frame\nname one\nimageId walkImage\ncellNum 1\ncell 0,0,1\n}\n"
              "{\nclass Anime\nname go\nseqNum 1\none 10\n}\n");
    Load("{\nclass Command\nchdir art\\\n}\n{\nclass AnimeFile\nname walk\nfileName walk\n}\n");
    auto* walk = Find<TToyAnimeFile>("AnimeFile", "walk");
    ASSERT_NE(walk, nullptr);
    ASSERT_EQ(walk->objects.Count(), 3) << "other classes are skipped";
    EXPECT_EQ(walk->FindAnime("go")->GetEntry(0)->frame, walk->FindFrame("one"));
    EXPECT_EQ(walk->FindFrame("one")->owner, &walk->objects);
    EXPECT_EQ(box.FindLayer("ignored"), nullptr);
    EXPECT_EQ(draw.GetSpriteSurf("ignored"), nullptr);

    // Loading again keeps what is there.
    walk->LoadFile("walk");
    EXPECT_EQ(walk->objects.Count(), 6);
    EXPECT_TRUE(fatal.Messages().empty());
}

TEST_F(AnimeFileTest, AMissingFileIsTheTextDatabasesFatalError)
{
    Load("{\nclass AnimeFile\nname lost\nfileName lost\n}\n");
    ASSERT_EQ(fatal.Messages().size(), 1u);
    EXPECT_EQ(fatal.Messages()[0], "TTexDb : lost.anm" + std::string(texdbnames::kMissing));
    auto* lost = Find<TToyAnimeFile>("AnimeFile", "lost");
    ASSERT_NE(lost, nullptr);
    EXPECT_EQ(lost->objects.Count(), 0);
    auto animator = std::make_unique<TToyAnimator>(&box, "lost");
    animator->Play("any", true);
    animator->Draw(0, 0);
    EXPECT_EQ(animator->anime, nullptr);
}

TEST_F(AnimeFileTest, AnImageThatCannotBeLoadedIsTheImagesFatalError)
{
    dir.Write("bad.anm", "{\nclass Image\nname nothing\nfileName nowhere\n}\n");
    Load("{\nclass AnimeFile\nname bad\nfileName bad\n}\n");
    ASSERT_EQ(fatal.Messages().size(), 1u);
    EXPECT_EQ(fatal.Messages()[0], toynames::kImageNotCreated);
}

TEST_F(AnimeFileTest, AnEmptyFileNameLoadsNothing)
{
    Load("{\nclass AnimeFile\nname none\n}\n");
    auto* none = Find<TToyAnimeFile>("AnimeFile", "none");
    ASSERT_NE(none, nullptr);
    EXPECT_EQ(none->objects.Count(), 0);
    EXPECT_TRUE(fatal.Messages().empty());
}

using BuiltInScene = SceneFixture;

TEST_F(BuiltInScene, TheGamesSceneLoadsItsImagesPicturesAndAnimationFiles)
{
    TToyBox scene(&kernel, nullptr, "toybox");
    EXPECT_TRUE(fatal.Messages().empty());
    EXPECT_EQ(scene.baseDir, "Resource");
    ASSERT_NE(scene.FindImage(Sjis("数字")), nullptr);
    EXPECT_EQ(scene.FindImage(Sjis("数字"))->cellCount, 10);
    for (const char* name : {"床", "キップキップ", "敵", "コイン"}) {
        auto* file = dynamic_cast<TToyAnimeFile*>(scene.FindObject("AnimeFile", Sjis(name)));
        ASSERT_NE(file, nullptr) << name;
        EXPECT_GT(file->objects.Count(), 0) << name;
    }
    auto* back = dynamic_cast<TToyPicture*>(scene.FindObject("Picture", Sjis("背景")));
    ASSERT_NE(back, nullptr);
    EXPECT_TRUE(back->ownsSprite);
    EXPECT_EQ(back->hitRect, (TToyRect{0, 0, 320, 960}));
    EXPECT_EQ(back->y, -720);
    scene.Draw();
    EXPECT_EQ(Pixel(0, 239), SizedBitmaps::Mark(0, 959)) << "the background's bottom row";
}

}  // namespace
}  // namespace kipkip
