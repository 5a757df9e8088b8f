#include "toy/toypicture.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "toy/toyimage.h"
#include "toy/toyscene.h"

namespace kipkip {
namespace {

using test::SceneFixture;

// A folder with a 2 x 2 bitmap "pic" (pixels 1 2 / 3 4), a 4 x 1 bitmap "other" and an image
// "digits" of two 1 x 1 cells (pixels 7 and 8).
struct PictureTest : SceneFixture {
    PictureTest()
    {
        dir.Write("pic.bmp", "2 2  1 2  3 4");
        dir.Write("other.bmp", "4 1  5 5 5 5");
        dir.Write("digits.bmp", "2 1  7 8");
        Load(
            "{\nclass Layer\nshow 1\n}\n{\nclass Image\nname digits\nfileName digits\n"
            "size 1,1\n}\n");
    }
    TToyPicture* Picture(std::string_view name) { return Find<TToyPicture>("Picture", name); }
    std::vector<std::string> Keys(TToyPicture& picture)
    {
        std::vector<std::string> lines;
        picture.SaveKeys(lines);
        return lines;
    }
};

TEST_F(PictureTest, ABlockWithBothAFileAndAnImageShowsTheFile)
{
    Load("{\nclass Picture\nname p\nshow 1\npos 10,20\nfileName pic\nimageId digits\nnum 1\n}\n");
    TToyPicture* p = Picture("p");
    ASSERT_NE(p, nullptr);
    EXPECT_TRUE(p->ownsSprite);
    EXPECT_EQ(p->GetImage(), nullptr);
    EXPECT_EQ(p->cell, 0);
    EXPECT_EQ(p->hitRect, (TToyRect{0, 0, 2, 2}));
    box.Draw();
    EXPECT_EQ(Pixel(10, 20), 1u);
    EXPECT_EQ(Pixel(11, 21), 4u);
    EXPECT_EQ(Keys(*p), (std::vector<std::string>{"\tpos\t\t\t10,20", "\tfileName\tpic"}));
}

TEST_F(PictureTest, InImageModeItShowsOneCellOfTheImage)
{
    Load("{\nclass Picture\nname p\nshow 1\npos 5,6\nimageId digits\nnum 1\n}\n");
    TToyPicture* p = Picture("p");
    ASSERT_NE(p, nullptr);
    EXPECT_FALSE(p->ownsSprite);
    EXPECT_EQ(p->GetImage(), box.FindImage("digits"));
    EXPECT_EQ(p->hitRect, (TToyRect{0, 0, 1, 1}));
    EXPECT_EQ(draw.GetSpriteSurf("p"), nullptr);
    box.SetLayerPos("", 100, 100);
    box.Draw();
    EXPECT_EQ(Pixel(105, 106), 8u);
}

TEST_F(PictureTest, ACellOfZeroIsNotWrittenAndACellOfThreeIs)
{
    Load(
        "{\nclass Picture\nname zero\nimageId digits\n}\n"
        "{\nclass Picture\nname three\nimageId digits\nnum 3\n}\n");
    EXPECT_EQ(Keys(*Picture("zero")), (std::vector<std::string>{"\timageId\t\tdigits"}));
    EXPECT_EQ(Keys(*Picture("three")),
              (std::vector<std::string>{"\timageId\t\tdigits", "\tnum\t\t3"}));
}

TEST_F(PictureTest, AnUnknownImageShowsNothingAndKeepsItsName)
{
    Load("{\nclass Picture\nname p\nshow 1\nimageId nobody\n}\n");
    TToyPicture* p = Picture("p");
    ASSERT_NE(p, nullptr);
    EXPECT_EQ(p->GetImage(), nullptr);
    EXPECT_EQ(p->hitRect, (TToyRect{0, 0, 0, 0}));
    box.Draw();
    EXPECT_EQ(Pixel(0, 0), 0u);
    EXPECT_EQ(Keys(*p), (std::vector<std::string>{"\timageId\t\tnobody"}));
    EXPECT_TRUE(fatal.Messages().empty());
}

TEST_F(PictureTest, ABitmapThatCannotBeRegisteredShowsNothingAndSaysNothing)
{
    Load("{\nclass Picture\nname p\nshow 1\nfileName nowhere\nimageId digits\n}\n");
    TToyPicture* p = Picture("p");
    ASSERT_NE(p, nullptr);
    EXPECT_FALSE(p->ownsSprite);
    EXPECT_EQ(p->GetImage(), nullptr);
    EXPECT_EQ(p->hitRect, (TToyRect{0, 0, 0, 0}));
    box.Draw();
    EXPECT_EQ(Pixel(0, 0), 0u);
    EXPECT_TRUE(fatal.Messages().empty());
    EXPECT_EQ(Keys(*p), (std::vector<std::string>{"\tfileName\tnowhere"}));
}

TEST_F(PictureTest, APictureAboveTheScreenIsDrawnThereAndClipped)
{
    // 720 rows of 1, then a row of 9 and a row of 6.
    std::string tall = "1 722 ";
    for (int row = 0; row < 720; ++row) {
        tall += "1 ";
    }
    dir.Write("tall.bmp", tall + "9 6");
    Load("{\nclass Picture\nname back\nshow 1\npos 0,-720\nfileName tall\n}\n");
    box.Draw();
    EXPECT_EQ(Pixel(0, 0), 9u);
    EXPECT_EQ(Pixel(0, 1), 6u);
    EXPECT_EQ(Pixel(0, 2), 0u);
}

TEST_F(PictureTest, RenamingInSpriteModeKeepsItVisibleUnderTheNewName)
{
    Load("{\nclass Picture\nname p\nshow 1\nfileName pic\n}\n");
    TToyPicture* p = Picture("p");
    ASSERT_NE(p, nullptr);
    EXPECT_TRUE(p->Rename("q"));
    EXPECT_EQ(draw.GetSpriteSurf("p"), nullptr);
    ASSERT_NE(draw.GetSpriteSurf("q"), nullptr);
    EXPECT_TRUE(p->ownsSprite);
    box.Draw();
    EXPECT_EQ(Pixel(0, 0), 1u);
}

TEST_F(PictureTest, RenamingInImageModeOnlyChangesTheName)
{
    Load("{\nclass Picture\nname p\nimageId digits\n}\n");
    TToyPicture* p = Picture("p");
    ASSERT_NE(p, nullptr);
    int sprites = draw.SpriteCount();
    EXPECT_TRUE(p->Rename("q"));
    EXPECT_EQ(p->name, "q");
    EXPECT_EQ(draw.SpriteCount(), sprites);
    EXPECT_EQ(p->GetImage(), box.FindImage("digits"));
}

TEST_F(PictureTest, SetImageLeavesSpriteModeAndUseFileReturnsToIt)
{
    Load("{\nclass Picture\nname p\nshow 1\nfileName pic\n}\n");
    TToyPicture* p = Picture("p");
    ASSERT_NE(p, nullptr);

    EXPECT_TRUE(p->SetImage("digits", 1));
    EXPECT_FALSE(p->ownsSprite);
    EXPECT_EQ(p->fileName, "");
    EXPECT_EQ(draw.GetSpriteSurf("p"), nullptr);
    EXPECT_EQ(p->cell, 1);
    EXPECT_EQ(p->hitRect, (TToyRect{0, 0, 1, 1}));
    EXPECT_EQ(Keys(*p), (std::vector<std::string>{"\timageId\t\tdigits", "\tnum\t\t1"}));
    box.Draw();
    EXPECT_EQ(Pixel(0, 0), 8u);

    EXPECT_FALSE(p->UseFile("nowhere"));
    EXPECT_FALSE(p->ownsSprite);
    EXPECT_EQ(p->GetImage(), box.FindImage("digits"));

    EXPECT_TRUE(p->UseFile("other"));
    EXPECT_TRUE(p->ownsSprite);
    EXPECT_EQ(p->GetImage(), nullptr);
    EXPECT_EQ(p->cell, 0);
    EXPECT_EQ(p->fileName, "other");
    EXPECT_EQ(p->hitRect, (TToyRect{0, 0, 4, 1}));

    EXPECT_FALSE(p->SetImage("nobody", 0));
    EXPECT_FALSE(p->ownsSprite) << "sprite mode was left all the same";
    EXPECT_EQ(p->GetImage(), nullptr);
    EXPECT_EQ(p->imageName, "nobody");
}

TEST_F(PictureTest, PrepareFollowsTheImageAndTheSprite)
{
    Load(
        "{\nclass Picture\nname cellPic\nimageId digits\n}\n"
        "{\nclass Picture\nname filePic\nfileName pic\n}\n");
    draw.DeleteSprite("filePic");
    box.DeleteObjects("Image", "digits");  // prepares the rest
    EXPECT_EQ(Picture("cellPic")->GetImage(), nullptr);
    EXPECT_EQ(Picture("cellPic")->hitRect, (TToyRect{0, 0, 0, 0}));
    EXPECT_TRUE(Picture("filePic")->ownsSprite);
    EXPECT_NE(draw.GetSpriteSurf("filePic"), nullptr);
    EXPECT_EQ(Picture("filePic")->hitRect, (TToyRect{0, 0, 2, 2}));
}

TEST_F(PictureTest, OnlyAPictureWithItsOwnSpriteDeletesItWhenItGoes)
{
    // In image mode, a picture of the same name as the image leaves the image's sprite alone.
    Load(
        "{\nclass Picture\nname digits\nimageId digits\n}\n"
        "{\nclass Picture\nname p\nfileName pic\n}\n");
    box.DeleteObjects("Picture", "digits");
    EXPECT_NE(draw.GetSpriteSurf("digits"), nullptr);
    box.DeleteObjects("Picture", "p");
    EXPECT_EQ(draw.GetSpriteSurf("p"), nullptr);
}

}  // namespace
}  // namespace kipkip
