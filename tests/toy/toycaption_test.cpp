#include "toy/toycaption.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "toy/fontscene.h"

namespace kipkip {
namespace {

using test::FontScene;
using Drawn = std::vector<test::DrawnCell>;

struct CaptionTest : FontScene {
    CaptionTest() { Load(test::kGlyphFont); }

    TToyCaption* Caption(std::string_view name)
    {
        return dynamic_cast<TToyCaption*>(box.FindObject("Caption", name));
    }
};

TEST_F(CaptionTest, DrawsItsTextWithItsFontAtItsPositionOnTheLayer)
{
    box.AddLayer("front", true, 10, 20);
    Load("{\nclass Caption\nname c\nlayer front\nshow 1\npos 5,6\nfontId glyph\ntext AB!\n}\n");
    TToyCaption* caption = Caption("c");
    ASSERT_NE(caption, nullptr);
    EXPECT_EQ(caption->font, Font());
    EXPECT_EQ(caption->text, "AB!");
    EXPECT_EQ(caption->category, "Shape");
    box.Draw();
    EXPECT_EQ(DrawnNow(), (Drawn{{15, 26, 0}, {25, 26, 1}, {37, 26, 27}}));
    EXPECT_EQ(caption->hitRect, (TToyRect{0, 0, 27, 8}));
    EXPECT_TRUE(caption->HitPoint(5 + 27, 6 + 8));
}

TEST_F(CaptionTest, AskingForTheWaveMakesTheFontWaveForEveryoneWhoUsesIt)
{
    Load("{\nclass Caption\nname still\nfontId glyph\ntext A\n}\n");
    EXPECT_FALSE(Font()->wave);
    Load("{\nclass Caption\nname waving\nfontId glyph\nwave 1\ntext A\n}\n");
    EXPECT_TRUE(Font()->wave);
    Load("{\nclass Caption\nname calm\nfontId glyph\nwave 0\ntext A\n}\n");
    EXPECT_TRUE(Font()->wave) << "wave 0 does not turn the font's wave off";

    // The caption made without the wave waves too: at clock 0 its "A" is 7 pixels down.
    kernel.elapsed = 0;
    Caption("still")->Draw(0, 28);
    EXPECT_EQ(DrawnNow(), (Drawn{{0, 35, 0}}));
}

TEST_F(CaptionTest, ACaptionWithoutItsFontDrawsNothingAndIgnoresTheWave)
{
    Load(
        "{\nclass Caption\nname c\nfontId nothing\nwave 1\ntext AB\n}\n"
        "{\nclass Caption\nname d\nfontId Glyph\nwave 1\ntext AB\n}\n");
    for (const char* name : {"c", "d"}) {
        TToyCaption* caption = Caption(name);
        ASSERT_NE(caption, nullptr) << name;
        EXPECT_EQ(caption->font, nullptr) << name;
        caption->hitRect = {1, 2, 3, 4};
        caption->Draw(0, 0);
        EXPECT_EQ(caption->hitRect, (TToyRect{1, 2, 3, 4})) << name;
    }
    EXPECT_TRUE(DrawnNow().empty());
    EXPECT_FALSE(Font()->wave);
}

TEST_F(CaptionTest, AFontMadeAfterTheCaptionIsNotTaken)
{
    Load("{\nclass Caption\nname early\nfontId later\ntext A\n}\n");
    Load("{\nclass Font\nname later\nfileName glyphs\nsize 8,8\nwidth 4\n}\n");
    box.Prepare();
    TToyCaption* caption = Caption("early");
    ASSERT_NE(caption, nullptr);
    EXPECT_EQ(caption->font, nullptr);
    caption->Draw(0, 0);
    EXPECT_TRUE(DrawnNow().empty());
}

TEST_F(CaptionTest, ACaptionWhoseFontIsDeletedLetsItGoInsteadOfUsingIt)
{
    Load("{\nclass Caption\nname c\npos 3,4\nfontId glyph\ntext AB\n}\n");
    TToyCaption* caption = Caption("c");
    ASSERT_NE(caption, nullptr);
    ASSERT_NE(caption->font, nullptr);
    box.DeleteObjects("Font", "glyph");
    caption->Draw(0, 0);
    EXPECT_TRUE(DrawnNow().empty());
    EXPECT_EQ(caption->font, nullptr);
    std::vector<std::string> lines;
    caption->SaveKeys(lines);
    EXPECT_EQ(lines, (std::vector<std::string>{"\tpos\t\t\t3,4", "\tfontId\t\t", "\ttext\t\tAB"}));

    // A font that kills itself is gone after the box's update, without a Prepare.
    Load(test::kGlyphFont);
    Load("{\nclass Caption\nname k\nfontId glyph\ntext A\n}\n");
    TToyCaption* other = Caption("k");
    ASSERT_NE(other, nullptr);
    ASSERT_NE(other->font, nullptr);
    other->font->Kill();
    box.Update(20);
    other->Draw(0, 0);
    EXPECT_TRUE(DrawnNow().empty());
}

TEST_F(CaptionTest, ARenamedFontIsStillTheCaptionsFont)
{
    Load("{\nclass Caption\nname c\nfontId glyph\ntext A\n}\n");
    TToyCaption* caption = Caption("c");
    ASSERT_NE(caption, nullptr);
    TToyFont* font = Font();
    font->Rename("renamed");
    caption->Draw(0, 0);
    EXPECT_EQ(caption->font, font);
    std::vector<std::string> lines;
    caption->SaveKeys(lines);
    EXPECT_EQ(lines, (std::vector<std::string>{"\tfontId\t\trenamed", "\ttext\t\tA"}));
}

TEST_F(CaptionTest, SavesTheFontsNameAndTheTextButNotTheWave)
{
    Load(
        "{\nclass Caption\nname c\nlayer front\nshow 1\npos 7,-2\nfricker 150\n"
        "fontId glyph\nwave 1\ntext HELLO\n}\n");
    TToyCaption* caption = Caption("c");
    ASSERT_NE(caption, nullptr);
    std::vector<std::string> lines;
    caption->SaveObject(lines);
    EXPECT_EQ(lines, (std::vector<std::string>{"", "{", "\tclass\t\tCaption", "\tname\t\tc",
                                               "\tlayer\t\tfront", "\tshow\t\t1", "\tpos\t\t\t7,-2",
                                               "\tfricker\t150", "\tfontId\t\tglyph",
                                               "\ttext\t\tHELLO", "}"}));
}

}  // namespace
}  // namespace kipkip
