#include "toy/toynumber.h"

#include <gtest/gtest.h>

#include <climits>
#include <memory>
#include <string>
#include <vector>

#include "game/gamenames.h"
#include "toy/cellbitmap.h"
#include "toy/toyimage.h"
#include "toy/toyprobe.h"
#include "toy/toyscene.h"

namespace kipkip {
namespace {

using test::DrawnCell;
using test::DrawnCells;
using test::SceneFixture;
using Cells = std::vector<DigitLayout::Cell>;
using Drawn = std::vector<DrawnCell>;

TEST(DigitLayout, RightAlignedEndsAtThePositionLeftAlignedStartsThere)
{
    struct Case {
        std::int32_t value;
        bool right;
        Cells cells;
        TToyRect hit;
    };
    // Cells of 16 by 16 at (176, 28).
    const Case cases[] = {
        {100, true, {{144, 28, 1}, {160, 28, 0}, {176, 28, 0}}, {-32, 0, 16, 16}},
        {100, false, {{176, 28, 1}, {192, 28, 0}, {208, 28, 0}}, {0, 0, 48, 16}},
        {0, true, {{176, 28, 0}}, {0, 0, 16, 16}},
        {0, false, {{176, 28, 0}}, {0, 0, 16, 16}},
        {7359, true, {{128, 28, 7}, {144, 28, 3}, {160, 28, 5}, {176, 28, 9}}, {-48, 0, 16, 16}},
        // A minus sign keeps its place and has no cell.
        {-5, true, {{160, 28, -1}, {176, 28, 5}}, {-16, 0, 16, 16}},
        {-5, false, {{176, 28, -1}, {192, 28, 5}}, {0, 0, 32, 16}},
    };
    for (const Case& c : cases) {
        DigitLayout layout = LayOutDigits(c.value, 176, 28, 16, 16, c.right);
        EXPECT_EQ(layout.cells, c.cells) << c.value << (c.right ? " right" : " left");
        EXPECT_EQ(layout.hitRect, c.hit) << c.value << (c.right ? " right" : " left");
    }
}

TEST(DigitLayout, TheLargestNumbersStayInsideTheArithmetic)
{
    // Eleven characters of 16 pixels, whichever way they are aligned.
    DigitLayout low = LayOutDigits(INT_MIN, 0, 0, 16, 16, true);
    ASSERT_EQ(low.cells.size(), 11u);
    EXPECT_EQ(low.cells.front().x, -160);
    EXPECT_EQ(low.cells.front().cell, -1);
    EXPECT_EQ(low.cells.back().cell, 8);
    DigitLayout high = LayOutDigits(INT_MAX, INT_MAX - 16, 0, 16, 16, false);
    EXPECT_EQ(high.hitRect.right, 160);
    EXPECT_EQ(high.cells.front().x, INT_MAX - 16);
}

// A box with the 16 by 16 digit image "digits" (80 x 32, ten cells) and the number "n" made
// from the keys the test gives, on the digits unless they name another image.
struct NumberTest : SceneFixture {
    NumberTest() { dir.Write("suuji.bmp", test::CellBitmap(5, 2, 16, 16)); }

    TToyNumber* LoadNumber(std::string keys)
    {
        if (keys.find("imageId") == std::string::npos) {
            keys = "imageId digits\n" + keys;
        }
        Load(
            "{\nclass Image\nname digits\nfileName suuji\nsize 16,16\n}\n"
            "{\nclass Number\nname n\nlayer front\nshow 1\n" +
            keys + "}\n");
        return box.FindNumber("n");
    }
    Drawn DrawnNow() { return DrawnCells(draw.WorkSurface(), 16); }
};

TEST_F(NumberTest, DrawsOneDigitCellPerDigitAndSpansThemWithItsHitRectangle)
{
    struct Case {
        const char* keys;
        Drawn drawn;
        TToyRect hit;
    };
    const Case cases[] = {
        {"pos 176,28\nbase right\nnum 100\n",
         {{144, 28, 1}, {160, 28, 0}, {176, 28, 0}},
         {-32, 0, 16, 16}},
        {"pos 176,28\nbase left\nnum 100\n",
         {{176, 28, 1}, {192, 28, 0}, {208, 28, 0}},
         {0, 0, 48, 16}},
        {"pos 72,28\nnum 0\n", {{72, 28, 0}}, {0, 0, 16, 16}},
        {"pos 40,100\nbase left\nnum 9876\n",
         {{40, 100, 9}, {56, 100, 8}, {72, 100, 7}, {88, 100, 6}},
         {0, 0, 64, 16}},
        {"pos 100,10\nnum -42\n", {{84, 10, 4}, {100, 10, 2}}, {-32, 0, 16, 16}},
    };
    for (const Case& c : cases) {
        box.objects.Clear();
        draw.Clear();
        TToyNumber* number = LoadNumber(c.keys);
        ASSERT_NE(number, nullptr) << c.keys;
        number->Draw(0, 0);
        EXPECT_EQ(DrawnNow(), c.drawn) << c.keys;
        EXPECT_EQ(number->hitRect, c.hit) << c.keys;
    }
    EXPECT_TRUE(fatal.Messages().empty());
}

TEST_F(NumberTest, IsDrawnAtItsOwnPositionWhateverItsLayersOrigin)
{
    box.AddLayer("front", true, 30, -50);
    TToyNumber* number = LoadNumber("pos 176,28\nnum 5\n");
    ASSERT_NE(number, nullptr);
    box.Draw();
    EXPECT_EQ(DrawnNow(), (Drawn{{176, 28, 5}}));
}

TEST_F(NumberTest, TheGameSetsTheValueThroughFindNumberAndTheNextDrawShowsIt)
{
    box.AddLayer("front", true, 0, 0);
    TToyNumber* number = LoadNumber("pos 176,28\nnum 100\n");
    ASSERT_NE(number, nullptr);
    box.FindNumber("n")->value = 37;
    box.Draw();
    EXPECT_EQ(DrawnNow(), (Drawn{{160, 28, 3}, {176, 28, 7}}));
    EXPECT_EQ(number->hitRect, (TToyRect{-16, 0, 16, 16}));
}

TEST_F(NumberTest, FindNumberGivesOnlyNumberDisplays)
{
    LoadNumber("num 1\n");
    box.AddObject(std::make_unique<test::Probe>(&box, "impostor", nullptr, "", "Number"));
    EXPECT_NE(box.FindNumber("n"), nullptr);
    EXPECT_EQ(box.FindNumber("impostor"), nullptr) << "class word Number, but no number display";
    EXPECT_EQ(box.FindNumber("digits"), nullptr);
    EXPECT_EQ(box.FindNumber("N"), nullptr);
}

TEST_F(NumberTest, ReadsItsKeysAndIsRightAlignedUnlessTheBaseIsLeft)
{
    struct Case {
        const char* keys;
        std::int32_t rightAligned;
        std::int32_t value;
    };
    const Case cases[] = {
        {"", 1, 0},
        {"base left\nnum 12\n", 0, 12},
        {"base right\nnum -3\n", 1, -3},
        {"base Left\n", 1, 0},
        {"base center\n", 1, 0},
        {"base 1\n", 1, 0},
    };
    for (const Case& c : cases) {
        box.objects.Clear();
        TToyNumber* number = LoadNumber(std::string("pos 3,4\n") + c.keys);
        ASSERT_NE(number, nullptr) << c.keys;
        EXPECT_EQ(number->rightAligned, c.rightAligned) << c.keys;
        EXPECT_EQ(number->value, c.value) << c.keys;
        EXPECT_EQ(number->imageName, "digits") << c.keys;
        EXPECT_EQ(number->image, box.FindImage("digits")) << c.keys;
        EXPECT_NE(number->image, nullptr) << c.keys;
        EXPECT_EQ(number->className, "Number") << c.keys;
        EXPECT_EQ(number->category, "Shape") << c.keys;
        EXPECT_EQ(number->layer, "front") << c.keys;
        EXPECT_TRUE(number->visible) << c.keys;
        EXPECT_EQ(number->x, 3) << c.keys;
        EXPECT_EQ(number->y, 4) << c.keys;
    }
}

TEST_F(NumberTest, WithoutItsImageItDrawsNothingAndKeepsItsHitRectangle)
{
    TToyNumber* lost = LoadNumber("imageId nothing\npos 50,50\nnum 12\n");
    ASSERT_NE(lost, nullptr);
    EXPECT_EQ(lost->image, nullptr);
    lost->hitRect = {1, 2, 3, 4};
    lost->Draw(0, 0);
    lost->DrawRightAligned();
    lost->DrawLeftAligned();
    EXPECT_TRUE(DrawnNow().empty());
    EXPECT_EQ(lost->hitRect, (TToyRect{1, 2, 3, 4}));
}

TEST_F(NumberTest, AnImageThatIsDeletedIsLetGoAtTheBoxsNextPrepare)
{
    TToyNumber* number = LoadNumber("imageId digits\npos 50,50\nnum 12\n");
    ASSERT_NE(number, nullptr);
    ASSERT_NE(number->image, nullptr);
    box.DeleteObjects("Image", "digits");
    EXPECT_EQ(number->image, nullptr);
    number->Draw(0, 0);
    EXPECT_TRUE(DrawnNow().empty());
    // An image of that name made later is found by the next Prepare.
    Load("{\nclass Image\nname digits\nfileName suuji\nsize 16,16\n}\n");
    box.Prepare();
    number->Draw(0, 0);
    EXPECT_EQ(DrawnNow(), (Drawn{{34, 50, 1}, {50, 50, 2}}));
}

TEST_F(NumberTest, ADigitBeyondTheImagesCellsShowsNothingInItsPlace)
{
    dir.Write("half.bmp", test::CellBitmap(5, 1, 16, 16));  // digits 0 to 4 only
    Load("{\nclass Image\nname half\nfileName half\nsize 16,16\n}\n");
    TToyNumber* number = LoadNumber("imageId half\npos 100,0\nbase left\nnum 4618\n");
    ASSERT_NE(number, nullptr);
    number->Draw(0, 0);
    EXPECT_EQ(DrawnNow(), (Drawn{{100, 0, 4}, {132, 0, 1}}));
    EXPECT_EQ(number->hitRect, (TToyRect{0, 0, 64, 16}));
}

TEST_F(NumberTest, SavesItsKeysWithTheBaseAndTheValueAlwaysWritten)
{
    struct Case {
        const char* keys;
        std::vector<std::string> lines;
    };
    const Case cases[] = {
        {"imageId digits\npos 176,28\nnum 100\n",
         {"\tpos\t\t\t176,28", "\timageId\t\tdigits", "\tbase\t\tright", "\tnum\t\t\t100"}},
        {"imageId digits\nbase left\n", {"\timageId\t\tdigits", "\tbase\t\tleft", "\tnum\t\t\t0"}},
        // No image of that name: the name as read.
        {"imageId gone\nfricker 200\nnum -7\n",
         {"\tfricker\t200", "\timageId\t\tgone", "\tbase\t\tright", "\tnum\t\t\t-7"}},
    };
    for (const Case& c : cases) {
        box.objects.Clear();
        TToyNumber* number = LoadNumber(c.keys);
        ASSERT_NE(number, nullptr) << c.keys;
        std::vector<std::string> lines;
        number->SaveKeys(lines);
        EXPECT_EQ(lines, c.lines) << c.keys;
    }
}

TEST_F(NumberTest, ASavedNumberLoadsBackTheSame)
{
    TToyNumber* number = LoadNumber("imageId digits\npos -5,28\nbase left\nnum 1234\n");
    ASSERT_NE(number, nullptr);
    number->value = 56;
    std::vector<std::string> lines;
    number->SaveObject(lines);
    std::string text;
    for (const std::string& line : lines) {
        text += line + "\n";
    }
    box.objects.Clear();
    Load("{\nclass Image\nname digits\nfileName suuji\nsize 16,16\n}\n" + text);
    auto* copy = box.FindNumber("n");
    ASSERT_NE(copy, nullptr);
    EXPECT_EQ(copy->x, -5);
    EXPECT_EQ(copy->y, 28);
    EXPECT_EQ(copy->rightAligned, 0);
    EXPECT_EQ(copy->value, 56);
    EXPECT_EQ(copy->layer, "front");
    EXPECT_TRUE(copy->visible);
    EXPECT_NE(copy->image, nullptr);
}

TEST_F(NumberTest, TheBuiltInSceneHasItsThreeRightAlignedDisplaysOnTheDigitImage)
{
    TToyBox scene(&kernel, nullptr, "toybox");
    struct Case {
        const char* name;
        int x;
        std::int32_t value;
    };
    const Case cases[] = {{"height", 72, 0}, {"time", 176, 100}, {"hiscore", 266, 1000}};
    for (const Case& c : cases) {
        TToyNumber* number = scene.FindNumber(c.name);
        ASSERT_NE(number, nullptr) << c.name;
        EXPECT_EQ(number->x, c.x) << c.name;
        EXPECT_EQ(number->y, 28) << c.name;
        EXPECT_EQ(number->value, c.value) << c.name;
        EXPECT_EQ(number->rightAligned, 1) << c.name;
        EXPECT_EQ(number->layer, gamenames::kLayerHeading) << c.name;
        EXPECT_TRUE(number->visible) << c.name;
        ASSERT_NE(number->image, nullptr) << c.name;
        EXPECT_EQ(number->image->cellCount, 10) << c.name;
    }
    // The high score's digits 1, 0, 0, 0 end at its position: cell 1 lies at (16, 0) of the
    // digit bitmap, cell 0 at (0, 0).
    draw.Clear();
    scene.FindNumber("hiscore")->Draw(0, 0);
    EXPECT_EQ(Pixel(218, 28), test::SizedBitmaps::Mark(16, 0));
    EXPECT_EQ(Pixel(234, 28), test::SizedBitmaps::Mark(0, 0));
    EXPECT_EQ(Pixel(281, 43), test::SizedBitmaps::Mark(15, 15));
    EXPECT_EQ(Pixel(217, 28), 0u);
    EXPECT_EQ(Pixel(282, 28), 0u);
}

}  // namespace
}  // namespace kipkip
