#include "toy/toyfont.h"

#include <gtest/gtest.h>

#include <array>
#include <string>
#include <vector>

#include "toy/fontscene.h"

namespace kipkip {
namespace {

using test::FontScene;
using Drawn = std::vector<test::DrawnCell>;

using FontTest = FontScene;

TEST_F(FontTest, ReadsEveryLineAfterSizeAsUpToEightWidthsEndedByAZero)
{
    struct Case {
        const char* lines;  // after "name" and "fileName"
        std::vector<std::int32_t> widths;
    };
    const Case cases[] = {
        // A line of eight and one of five fill glyphs 0 to 12.
        {"size 8,8\nwidth 1,2,3,4,5,6,7,8\nwidth 9,10,11,12,13\n",
         {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13}},
        {"size 8,8\nwidth 3,4,0,9,9,9,9,9\nwidth 5,6,7,8,9\n", {3, 4, 5, 6, 7, 8, 9}},
        // A line of up to four integers gives its first value only.
        {"size 8,8\nwidth 7,8\nwidth 1,2,3,4,5\nwidth 6\n", {7, 1, 2, 3, 4, 5, 6}},
        {"size 8,8\nglyphs 1,2,3,4,5\nname 6,7,8,9,10\n", {1, 2, 3, 4, 5, 6, 7, 8, 9, 10}},
        {"width 9,9,9,9,9\nsize 8,8\nwidth 1,2,3,4,5\n", {1, 2, 3, 4, 5}},
        // Without "size" the lines after the last key read are the widths.
        {"width 1,2,3,4,5\n", {1, 2, 3, 4, 5}},
        {"size 8,8\nwidth 1,2,3,4,5,6,7,8\nwidth 9,10,11,12,13,14,15,16\n"
         "width 17,18,19,20,21,22,23,24\nwidth 25,26,27,28,29,30,31,32\n",
         {1,  2,  3,  4,  5,  6,  7,  8,  9,  10, 11, 12, 13, 14, 15,
          16, 17, 18, 19, 20, 21, 22, 23, 24, 25, 26, 27, 28, 29}},
    };
    for (const Case& c : cases) {
        box.objects.Clear();
        Load(std::string("{\nclass Font\nname glyph\nfileName glyphs\n") + c.lines + "}\n");
        TToyFont* font = Font();
        ASSERT_NE(font, nullptr) << c.lines;
        std::array<std::int32_t, TToyFont::kGlyphCount> expected{};
        std::copy(c.widths.begin(), c.widths.end(), expected.begin());
        EXPECT_EQ(font->widths, expected) << c.lines;
    }
}

TEST_F(FontTest, RegistersItsSpriteUnderItsNameAndTakesTheDevicesCellSize)
{
    struct Case {
        const char* size;
        std::int32_t cellWidth;
        std::int32_t cellHeight;
        std::int32_t lineHeight;
    };
    const Case cases[] = {
        {"size 8,8\n", 8, 8, 8},
        // 0 is the whole bitmap for the device; the line height stays as written.
        {"size 8,0\n", 8, 24, 0},
        {"", 80, 24, 0},
    };
    for (const Case& c : cases) {
        box.objects.Clear();
        draw.DeleteSprite("glyph");
        Load(std::string("{\nclass Font\nname glyph\nlayer front\nshow 1\nfileName glyphs\n") +
             c.size + "}\n");
        TToyFont* font = Font();
        ASSERT_NE(font, nullptr) << c.size;
        EXPECT_EQ(font->className, "Font");
        EXPECT_EQ(font->category, "");
        EXPECT_EQ(font->layer, "") << "a font reads no layer";
        EXPECT_FALSE(font->visible) << "a font reads no show";
        EXPECT_EQ(font->fileName, "glyphs");
        EXPECT_FALSE(font->wave);
        EXPECT_EQ(font->cellWidth, c.cellWidth) << c.size;
        EXPECT_EQ(font->cellHeight, c.cellHeight) << c.size;
        EXPECT_EQ(font->lineHeight, c.lineHeight) << c.size;
        const TSpriteSurf* sprite = draw.GetSpriteSurf("glyph");
        ASSERT_NE(sprite, nullptr) << c.size;
        EXPECT_EQ(sprite->FileName, "glyphs.bmp");
    }
    EXPECT_TRUE(fatal.Messages().empty());
}

TEST_F(FontTest, KeepsItsSpriteOnPrepareAndAfterItIsGone)
{
    Load(test::kGlyphFont);
    ASSERT_NE(Font(), nullptr);
    // Prepare does not register the sprite again.
    draw.DeleteSprite("glyph");
    box.Prepare();
    EXPECT_EQ(draw.GetSpriteSurf("glyph"), nullptr);
    // Destroying the font leaves its sprite on the device.
    box.objects.Clear();
    Load(test::kGlyphFont);
    box.objects.Clear();
    EXPECT_NE(draw.GetSpriteSurf("glyph"), nullptr);
}

TEST_F(FontTest, DrawsEachGlyphFromItsCellAndAdvancesByItsWidth)
{
    Load(test::kGlyphFont);
    TToyFont* font = Font();
    ASSERT_NE(font, nullptr);
    struct Case {
        const char* text;
        Drawn drawn;
        std::int32_t right;
    };
    const Case cases[] = {
        {"AB!", {{20, 28, 0}, {30, 28, 1}, {42, 28, 27}}, 27},
        {" ?Z", {{20, 28, 28}, {24, 28, 26}, {27, 28, 25}}, 10},
        {"", {}, 0},
        // No glyph: lower case, digits, the bytes of double-byte text. They neither draw nor
        // advance.
        {"A1a\x82\xa0"
         "B",
         {{20, 28, 0}, {30, 28, 1}},
         22},
        // The three characters after "Z" reach the last three cells.
        {"[\\]", {{20, 28, 26}, {23, 28, 27}, {28, 28, 28}}, 12},
    };
    for (const Case& c : cases) {
        draw.Clear();
        font->textRect = {9, 9, 9, 9};
        font->DrawText(20, 28, c.text);
        EXPECT_EQ(DrawnNow(), c.drawn) << c.text;
        EXPECT_EQ(font->textRect, (TToyRect{0, 0, c.right, 8})) << c.text;
    }
}

TEST_F(FontTest, OnTheWaveEachGlyphFollowsTheKernelsClock40MillisecondsBehindTheLast)
{
    Load(test::kGlyphFont);
    TToyFont* font = Font();
    ASSERT_NE(font, nullptr);
    font->wave = true;
    struct Case {
        std::int32_t elapsed;
        int y;
        int first;  // where the first and the second "A" are drawn
        int second;
    };
    const Case cases[] = {
        // 28 + 8 cos(2 pi 0.05) = 35.61, 28 + 8 cos(2 pi 0.1) = 34.47
        {0, 28, 35, 34},
        {800, 28, 35, 34},
        {360, 28, 20, 20},
        {570, 100, 100, 103},
        // -2.47 and -4.70 are drawn at -2 and -4: truncated toward zero.
        {200, 0, -2, -4},
    };
    for (const Case& c : cases) {
        draw.Clear();
        kernel.elapsed = c.elapsed;
        font->DrawText(20, c.y, "AA");
        EXPECT_EQ(DrawnNow(), (Drawn{{20, c.first, 0}, {30, c.second, 0}}))
            << "elapsed " << c.elapsed;
        EXPECT_EQ(font->textRect, (TToyRect{0, 0, 20, 8})) << "elapsed " << c.elapsed;
    }
    // Without the wave the clock does not matter.
    font->wave = false;
    draw.Clear();
    font->DrawText(20, 28, "AA");
    EXPECT_EQ(DrawnNow(), (Drawn{{20, 28, 0}, {30, 28, 0}}));
}

TEST_F(FontTest, AFontWhoseBitmapIsMissingIsMadeAndDrawsNothingButStillAdvances)
{
    Load("{\nclass Font\nname lost\nfileName nowhere\nsize 8,8\nwidth 6,7\n}\n");
    TToyFont* font = Font("lost");
    ASSERT_NE(font, nullptr);
    EXPECT_TRUE(fatal.Messages().empty());
    EXPECT_EQ(font->cellWidth, 0);
    EXPECT_EQ(font->cellHeight, 0);
    EXPECT_EQ(font->lineHeight, 8);
    font->DrawText(10, 10, "AAA");
    EXPECT_TRUE(DrawnNow().empty());
    EXPECT_EQ(font->textRect, (TToyRect{0, 0, 18, 8}));
    // Unregistered, it is written without a size.
    std::vector<std::string> lines;
    font->SaveKeys(lines);
    ASSERT_FALSE(lines.empty());
    EXPECT_EQ(lines[0], "\tfileName\tnowhere");
    EXPECT_EQ(lines[1].rfind("\twidth\t\t6,0,0,", 0), 0u) << lines[1];
}

TEST_F(FontTest, SavesItsFileSizeAndTheWidthTableInFourLines)
{
    Load(test::kGlyphFont);
    TToyFont* font = Font();
    ASSERT_NE(font, nullptr);
    std::vector<std::string> lines;
    font->SaveKeys(lines);
    EXPECT_EQ(lines, (std::vector<std::string>{
                         "\tfileName\tglyphs",
                         "\tsize\t\t8,8",
                         "\twidth\t\t10,12,3,3,3,3,3,3",
                         "\twidth\t\t3,3,3,3,3,3,3,3",
                         "\twidth\t\t3,3,3,3,3,3,3,3",
                         "\twidth\t\t3,3,3,5,4",
                     }));
}

TEST_F(FontTest, ASavedFontLoadsBackTheSame)
{
    Load(
        "{\nclass Font\nname glyph\nfileName glyphs\nsize 8,0\n"
        "width 1,2,3,4,5,6,7,8\nwidth 9,10,11,12,13,14,15,16\n"
        "width 17,18,19,20,21,22,23,24\nwidth 25,26,27,28,29\n}\n");
    TToyFont* font = Font();
    ASSERT_NE(font, nullptr);
    std::vector<std::string> lines;
    font->SaveObject(lines);
    std::string text;
    for (const std::string& line : lines) {
        text += line + "\n";
    }
    auto widths = font->widths;
    box.objects.Clear();
    Load(text);
    TToyFont* copy = Font();
    ASSERT_NE(copy, nullptr);
    EXPECT_EQ(copy->widths, widths);
    EXPECT_EQ(copy->fileName, "glyphs");
    // The size written is the device's cell size, so the line height becomes the bitmap's.
    EXPECT_EQ(copy->cellHeight, 24);
    EXPECT_EQ(copy->lineHeight, 24);
}

}  // namespace
}  // namespace kipkip
