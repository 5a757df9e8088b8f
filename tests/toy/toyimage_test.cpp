#include "toy/toyimage.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "toy/toyprobe.h"
#include "toy/toyscene.h"

namespace kipkip {
namespace {

using test::SceneFixture;
using test::SizedBitmaps;

using ImageTest = SceneFixture;

TEST_F(ImageTest, SizeZeroOrMissingMakesTheWholeBitmapOneCellAndIsWrittenBackAsItsSize)
{
    dir.Write("pic.bmp", "3 2  1 2 3  4 5 6");
    for (const char* sizeLine : {"size 0,0\n", ""}) {
        box.objects.Clear();
        Load(std::string("{\nclass Image\nname pic\nfileName pic\n") + sizeLine + "}\n");
        auto* image = Find<TToyImage>("Image", "pic");
        ASSERT_NE(image, nullptr) << sizeLine;
        EXPECT_EQ(image->cellWidth, 3) << sizeLine;
        EXPECT_EQ(image->cellHeight, 2) << sizeLine;
        EXPECT_EQ(image->columns, 1) << sizeLine;
        EXPECT_EQ(image->cellCount, 1) << sizeLine;
        std::vector<std::string> lines;
        image->SaveKeys(lines);
        EXPECT_EQ(lines, (std::vector<std::string>{"\tfileName\tpic", "\tsize\t\t3,2"}));
    }
    EXPECT_TRUE(fatal.Messages().empty());
}

TEST_F(ImageTest, TheDigitsAreCutIntoFiveColumnsAndTenCells)
{
    LoadBuiltIn("{\nclass Image\nname 数字\nfileName suuji\nsize 16,16\n}\n");
    auto* digits = Find<TToyImage>("Image", "数字");
    ASSERT_NE(digits, nullptr);
    EXPECT_EQ(digits->className, "Image");
    EXPECT_EQ(digits->category, "Resource");
    EXPECT_EQ(digits->cellWidth, 16);
    EXPECT_EQ(digits->cellHeight, 16);
    EXPECT_EQ(digits->columns, 5);
    EXPECT_EQ(digits->cellCount, 10);
    EXPECT_EQ(digits->bitmapWidth, 80);
    EXPECT_EQ(digits->bitmapHeight, 32);

    // Cell 7 lies in column 2 of row 1.
    digits->DrawCell(100, 50, 7);
    EXPECT_EQ(Pixel(100, 50), SizedBitmaps::Mark(32, 16));
    EXPECT_EQ(Pixel(115, 65), SizedBitmaps::Mark(47, 31));
    EXPECT_EQ(Pixel(116, 50), 0u);
}

TEST_F(ImageTest, ACellOutsideTheImageDrawsNothing)
{
    dir.Write("d.bmp", "2 1  7 8");
    Load("{\nclass Image\nname d\nfileName d\nsize 1,1\n}\n");
    auto* image = Find<TToyImage>("Image", "d");
    ASSERT_NE(image, nullptr);
    ASSERT_EQ(image->cellCount, 2);
    image->DrawCell(0, 0, 1);
    image->DrawCell(1, 0, 2);
    image->DrawCell(2, 0, -1);
    EXPECT_EQ(Pixel(0, 0), 8u);
    EXPECT_EQ(Pixel(1, 0), 0u);
    EXPECT_EQ(Pixel(2, 0), 0u);
}

TEST_F(ImageTest, AnImageThatCannotBeLoadedIsAFatalErrorAndStillMade)
{
    const char* blocks[] = {
        "{\nclass Image\nname missing\nfileName nowhere\n}\n",
        "{\nclass Image\nfileName nowhere\n}\n",  // no name
        "{\nclass Image\nname noFile\n}\n",
    };
    for (const char* text : blocks) {
        box.objects.Clear();
        FatalCapture capture;
        Load(text);
        ASSERT_EQ(capture.Messages().size(), 1u) << text;
        EXPECT_EQ(capture.Messages()[0], toynames::kImageNotCreated) << text;
        ASSERT_EQ(box.objects.Count(), 1) << text;
        EXPECT_EQ(draw.SpriteCount(), 0) << text;
    }
}

TEST_F(ImageTest, AnImageWithoutADrawingDeviceCannotBeMade)
{
    TToyBox bare(nullptr, nullptr, "");
    TToyImage image(&bare, "digits", "suuji", 16, 16);
    ASSERT_EQ(fatal.Messages().size(), 1u);
    EXPECT_EQ(fatal.Messages()[0], toynames::kImageNotCreated);
}

TEST_F(ImageTest, TheSpriteLivesAsLongAsTheImageAndFollowsItsName)
{
    dir.Write("a.bmp", "2 2  1 2 3 4");
    dir.Write("b.bmp", "4 1  5 6 7 8");
    auto owned = std::make_unique<TToyImage>(&box, "img", "a", 1, 1);
    TToyImage& image = *owned;
    box.AddObject(std::move(owned));
    ASSERT_NE(draw.GetSpriteSurf("img"), nullptr);

    EXPECT_TRUE(image.Rename("other"));
    EXPECT_EQ(image.name, "other");
    EXPECT_EQ(draw.GetSpriteSurf("img"), nullptr);
    ASSERT_NE(draw.GetSpriteSurf("other"), nullptr);
    EXPECT_EQ(image.cellCount, 4);

    // A new file is cut as a whole.
    EXPECT_TRUE(image.SetFileName("b"));
    EXPECT_EQ(image.fileName, "b");
    EXPECT_EQ(image.cellWidth, 4);
    EXPECT_EQ(image.cellHeight, 1);
    EXPECT_EQ(image.cellCount, 1);

    EXPECT_TRUE(image.SetCellSize(2, 1));
    EXPECT_EQ(image.columns, 2);
    EXPECT_EQ(image.cellCount, 2);

    EXPECT_FALSE(image.SetFileName("nowhere"));
    EXPECT_EQ(draw.GetSpriteSurf("other"), nullptr);
    EXPECT_TRUE(fatal.Messages().empty()) << "only the constructor reports";

    EXPECT_TRUE(image.SetFileName("a"));
    box.DeleteObjects("Image", "other");
    EXPECT_EQ(draw.GetSpriteSurf("other"), nullptr);
}

TEST_F(ImageTest, PrepareRegistersTheSpriteAgain)
{
    dir.Write("a.bmp", "2 2  1 2 3 4");
    box.AddObject(std::make_unique<TToyImage>(&box, "img", "a", 1, 1));
    draw.DeleteSprite("img");
    box.Prepare();
    ASSERT_NE(draw.GetSpriteSurf("img"), nullptr);
    EXPECT_EQ(draw.GetSpriteSurf("img")->CellCount, 4);
}

TEST_F(ImageTest, SaveKeysLeavesOutASizeOfZero)
{
    TToyImage image(&box, "", "", 0, 0);  // cannot load: the fields stay as given
    std::vector<std::string> lines;
    image.SaveKeys(lines);
    EXPECT_EQ(lines, (std::vector<std::string>{"\tfileName\t"}));
}

TEST_F(ImageTest, TheBoxFindsOnlyImagesAsImages)
{
    dir.Write("a.bmp", "1 1  1");
    box.AddObject(std::make_unique<test::Probe>(&box, "fake", nullptr, "", "Image"));
    box.AddObject(std::make_unique<TToyImage>(&box, "real", "a", 0, 0));
    EXPECT_EQ(box.FindImage("fake"), nullptr);
    ASSERT_NE(box.FindImage("real"), nullptr);
    EXPECT_EQ(box.FindImage("real")->fileName, "a");
}

}  // namespace
}  // namespace kipkip
