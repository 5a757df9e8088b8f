#include "device/kivdraw.h"

#include <gtest/gtest.h>

#include "support/fakedrawing.h"
#include "support/tempdir.h"

namespace kipkip {
namespace {

TEST(KivDrawInit, SizesOutsideTheScreenBecomeTheLargest)
{
    test::FakeDrawing screen;
    TKivDraw& draw = screen.draw;
    struct Case {
        int width, height, usedWidth, usedHeight, originX, originY;
    };
    const Case cases[] = {
        {0, 240, 640, 240, 0, 120},
        {1000, -5, 640, 480, 0, 0},
        {320, 240, 320, 240, 160, 120},
    };
    for (const Case& c : cases) {
        ASSERT_TRUE(draw.Init(c.width, c.height, false, 16));
        EXPECT_EQ(draw.SurfaceWidth(), c.usedWidth);
        EXPECT_EQ(draw.SurfaceHeight(), c.usedHeight);
        EXPECT_EQ(draw.FullScreenX(), c.originX);
        EXPECT_EQ(draw.FullScreenY(), c.originY);
    }
}

TEST(KivDrawInit, WidthAndHeightPropertiesIgnoreValuesAboveTheScreen)
{
    test::FakeDrawing screen;
    TKivDraw& draw = screen.draw;
    draw.SetWidth(700);
    EXPECT_EQ(draw.Width(), 640);
    draw.SetWidth(0);
    EXPECT_EQ(draw.Width(), 0);
    draw.SetHeight(481);
    EXPECT_EQ(draw.Height(), 480);
    ASSERT_TRUE(draw.Init());
    EXPECT_EQ(draw.SurfaceWidth(), 640);
}

TEST(KivDrawInit, NothingDrawsBeforeInit)
{
    test::FakeDrawing screen;
    test::FakeVideo& video = screen.video;
    TKivDraw& draw = screen.draw;
    EXPECT_FALSE(draw.Clear());
    EXPECT_FALSE(draw.Fade(8));
    EXPECT_FALSE(draw.WhiteFade(8));
    EXPECT_FALSE(draw.Update());
    EXPECT_EQ(video.presents, 0);
}

// One pixel through a fade, in every pixel kind.
struct FadeCase {
    const char* what;
    PixelFormat format;
    bool white;
    int step;
    std::uint32_t before;
    std::uint32_t after;
};

TEST(KivDrawFades, MoveEachChannelByTheStepInItsOwnUnits)
{
    using namespace pixelformats;
    const FadeCase cases[] = {
        // 5-6-5: step 8 is one unit of red and blue and two of green.
        {"565 fade", kRgb565, false, 8, (10u << 11) | (20u << 5) | 30u,
         (9u << 11) | (18u << 5) | 29u},
        {"565 fade floors at 0", kRgb565, false, 64, (1u << 11) | (63u << 5) | 7u, (47u << 5)},
        {"565 step below 8 moves no 5-bit channel", kRgb565, false, 7, 0xFFFF, 0xFFFF - (1u << 5)},
        {"555 white", kRgb555, true, 8, 0, (1u << 10) | (1u << 5) | 1u},
        {"24-bit white 255 is white", kRgb24, true, 255, 0x123456, 0xFFFFFF},
        {"24-bit step 256 changes nothing", kRgb24, true, 256, 0x123456, 0x123456},
        {"32-bit fade keeps the fourth byte", kXrgb32, false, 0x10, 0xAA0F2030, 0xAA001020},
        {"8-bit palette pixels never change", kIndexed8, false, 255, 0x7F, 0x7F},
    };
    for (const FadeCase& c : cases) {
        Surface surface(3, 2, c.format);
        surface.Fill(c.before);
        if (c.white) {
            TKivDraw::White_Pixel(surface, c.step);
        } else {
            TKivDraw::Fade_Pixel(surface, c.step);
        }
        EXPECT_EQ(surface.Pixel(2, 1), c.after) << c.what;
        EXPECT_EQ(surface.Pixel(0, 0), c.after) << c.what;
    }
}

TEST(KivDrawUpdate, PresentsTheWorkSurface)
{
    test::FakeDrawing screen;
    test::FakeVideo& video = screen.video;
    TKivDraw& draw = screen.draw;
    ASSERT_TRUE(draw.Init(2, 2, false, 16));
    draw.WorkSurface().SetPixel(1, 1, 0xF800);
    ASSERT_TRUE(draw.Update());
    ASSERT_EQ(video.presents, 1);
    EXPECT_EQ(video.last, (std::vector<std::uint8_t>{0, 0, 0, 0, 0, 0, 0x00, 0xF8}));
}

// A 5-6-5 device of 8x4 pixels with sprites read from test bitmaps in a scratch folder.
struct SpriteFixture : testing::Test {
    test::TempDir dir;
    test::FakeDrawing screen;
    TKivDraw& draw = screen.draw;

    SpriteFixture() { draw.Init(8, 4, false, 16); }

    // A bitmap of `width` x `height` whose pixels count up from `first` (0 stays transparent).
    std::string Bitmap(const std::string& name, int width, int height, int first = 1)
    {
        std::string text = std::to_string(width) + " " + std::to_string(height);
        for (int i = 0; i < width * height; ++i) {
            text += " " + std::to_string(first + i);
        }
        return dir.Write(name, text);
    }

    std::string Row(int y)
    {
        std::string row;
        for (int x = 0; x < draw.WorkSurface().Width(); ++x) {
            row += std::to_string(draw.WorkSurface().Pixel(x, y)) + " ";
        }
        return row;
    }
};

TEST_F(SpriteFixture, CellsAreCutByIntegerDivisionAndZeroMeansTheWholeBitmap)
{
    ASSERT_TRUE(draw.CreateSprite("coin", Bitmap("coin.bmp", 192, 64), 32, 32));
    int perRow = 0, count = 0, width = 0, height = 0;
    ASSERT_TRUE(draw.GetSpriteInfo("coin", perRow, count));
    EXPECT_EQ(perRow, 6);
    EXPECT_EQ(count, 12);
    ASSERT_TRUE(draw.GetSpriteSurfSize("coin", width, height));
    EXPECT_EQ(width, 192);
    EXPECT_EQ(height, 64);

    ASSERT_TRUE(draw.CreateSprite("strip", Bitmap("strip.bmp", 50, 20), 0, 0));
    ASSERT_TRUE(draw.GetSpriteSize("strip", width, height));
    EXPECT_EQ(width, 50);
    EXPECT_EQ(height, 20);
    ASSERT_TRUE(draw.CreateSprite("big", Bitmap("big.bmp", 10, 10), 16, 16));
    ASSERT_TRUE(draw.GetSpriteInfo("big", perRow, count));
    EXPECT_EQ(count, 0);  // a cell larger than the bitmap
    EXPECT_FALSE(draw.Draw(0, 0, "big", 0, 0, 0));
}

TEST_F(SpriteFixture, TheSameFileIsKeptAnotherReloadsAndAFailedReloadDropsTheName)
{
    std::string first = Bitmap("a.bmp", 4, 4);
    ASSERT_TRUE(draw.CreateSprite("hero", first, 2, 2));
    ASSERT_TRUE(draw.CreateSprite("hero", first, 4, 1));  // kept: cell sizes unchanged
    int width = 0, height = 0;
    draw.GetSpriteSize("hero", width, height);
    EXPECT_EQ(width, 2);
    EXPECT_EQ(screen.bitmaps.decodes, 1);

    ASSERT_TRUE(draw.CreateSprite("hero", Bitmap("b.bmp", 6, 2), 3, 2));
    draw.GetSpriteSize("hero", width, height);
    EXPECT_EQ(width, 3);
    EXPECT_EQ(draw.SpriteCount(), 1);

    EXPECT_FALSE(draw.CreateSprite("hero", (dir.Path() / "missing.bmp").string(), 2, 2));
    EXPECT_EQ(draw.GetSpriteSurf("hero"), nullptr);
    EXPECT_FALSE(draw.CreateSprite("junk", dir.Write("junk.bmp", "not a bitmap"), 2, 2));
    EXPECT_EQ(draw.SpriteCount(), 0);
}

TEST_F(SpriteFixture, NamesAreExactAndGoWithDeleteAndReleaseAll)
{
    ASSERT_TRUE(draw.CreateSprite("Coin", Bitmap("c.bmp", 2, 2), 0, 0));
    int width = -1, height = -1;
    EXPECT_FALSE(draw.GetSpriteSize("coin", width, height));
    EXPECT_EQ(width, -1);  // out-arguments untouched
    EXPECT_TRUE(draw.DeleteSprite("Coin"));
    EXPECT_FALSE(draw.DeleteSprite("Coin"));
    ASSERT_TRUE(draw.CreateSprite("Coin", Bitmap("c.bmp", 2, 2), 0, 0));
    draw.ReleaseAll();
    EXPECT_EQ(draw.GetSpriteSurf("Coin"), nullptr);
    EXPECT_FALSE(draw.CreateSprite("Coin", Bitmap("c.bmp", 2, 2), 0, 0));  // not initialised
}

TEST_F(SpriteFixture, ACellIsPickedByRowAndColumnAndZeroPixelsAreTransparent)
{
    // 4x2 cells of 2x1: cell 3 is the second row's second cell, pixels 7 and 8.
    ASSERT_TRUE(draw.CreateSprite("s", Bitmap("s.bmp", 4, 2), 2, 1));
    ASSERT_TRUE(draw.Draw(1, 0, "s", 3, 0, 0));
    EXPECT_EQ(Row(0), "0 7 8 0 0 0 0 0 ");
    // A bitmap with a hole: "0" pixels leave what is below.
    ASSERT_TRUE(draw.CreateSprite("hole", dir.Write("hole.bmp", "3 1 5 0 6"), 0, 0));
    ASSERT_TRUE(draw.Draw(1, 0, "hole", 0, 0, 0));
    EXPECT_EQ(Row(0), "0 5 8 6 0 0 0 0 ");
    EXPECT_FALSE(draw.Draw(0, 0, "s", 4, 0, 0));  // cell == CellCount
    EXPECT_FALSE(draw.Draw(0, 0, "s", -1, 0, 0));
    EXPECT_FALSE(draw.Draw(0, 0, "none", 0, 0, 0));
}

TEST_F(SpriteFixture, CellsAreClippedToTheClipRectangle)
{
    ASSERT_TRUE(draw.CreateSprite("s", Bitmap("s.bmp", 3, 2, 10), 0, 0));
    draw.SetClip(2, 1, 6, -1);
    // Straddling the left edge: only the visible part, at the clip edge.
    ASSERT_TRUE(draw.Draw(1, 0, "s", 0, 0, 0));
    EXPECT_EQ(Row(0), "0 0 0 0 0 0 0 0 ");
    EXPECT_EQ(Row(1), "0 0 14 15 0 0 0 0 ");
    // Wholly outside: nothing drawn, still a success.
    for (auto [x, y] : {std::pair{-1, 0}, {6, 0}, {3, -1}, {3, 4}}) {
        EXPECT_TRUE(draw.Draw(x, y, "s", 0, 0, 0)) << x << "," << y;
    }
    EXPECT_EQ(Row(2), "0 0 0 0 0 0 0 0 ");
    ASSERT_TRUE(draw.Draw(5, 2, "s", 0, 0, 0));  // the right edge cuts it
    EXPECT_EQ(Row(2), "0 0 0 0 0 10 0 0 ");
    EXPECT_EQ(Row(3), "0 0 0 0 0 13 0 0 ");
}

TEST_F(SpriteFixture, AClipRectangleBeyondTheSurfaceNeverDrawsOutsideIt)
{
    ASSERT_TRUE(draw.CreateSprite("s", Bitmap("s.bmp", 4, 4), 0, 0));
    draw.SetClip(-20, -20, 100, 100);
    EXPECT_TRUE(draw.Draw(-2, -2, "s", 0, 0, 0));
    EXPECT_TRUE(draw.Draw(6, 2, "s", 0, 0, 0));
    EXPECT_EQ(Row(0), "11 12 0 0 0 0 0 0 ");
    EXPECT_EQ(Row(3), "0 0 0 0 0 0 5 6 ");
}

TEST_F(SpriteFixture, TextTakesTheFontsColourWhereTheGlyphsAreAndIsClipped)
{
    draw.SetFont(TFont{"", 16, true, 0xFF0000});
    ASSERT_TRUE(draw.TextOutA(5, 2, "ab"));  // a 4x2 block with its top-left pixel left out
    EXPECT_EQ(Row(2), "0 0 0 0 0 0 63488 63488 ");
    EXPECT_EQ(Row(3), "0 0 0 0 0 63488 63488 63488 ");
    screen.fonts.usable = false;
    EXPECT_FALSE(draw.TextOutA(0, 0, "ab"));
}

TEST_F(SpriteFixture, LinesLeaveOutTheirLastPixelAndRectanglesTheirRightAndBottom)
{
    draw.SetPen(TPen{0x0000FF});
    draw.MoveTo(0, 0);
    ASSERT_TRUE(draw.LineTo(4, 0));
    EXPECT_EQ(Row(0), "31 31 31 31 0 0 0 0 ");
    draw.SetBrush(TBrush{0x00FF00});
    ASSERT_TRUE(draw.Rectangle(TRect{4, 1, 8, 4}));
    EXPECT_EQ(Row(1), "0 0 0 0 31 31 31 31 ");
    EXPECT_EQ(Row(2), "0 0 0 0 31 2016 2016 31 ");
}

TEST_F(SpriteFixture, FullScreenShowsThePictureInTheMiddleOf640By480)
{
    ASSERT_TRUE(draw.Init(320, 240, true, 16));
    EXPECT_TRUE(screen.video.fullScreen);
    draw.WorkSurface().SetPixel(0, 0, 0x1234);
    ASSERT_TRUE(draw.Update());
    ASSERT_EQ(screen.video.last.size(), 640u * 480u * 2u);
    std::size_t origin = (120u * 640u + 160u) * 2u;
    EXPECT_EQ(screen.video.last[origin], 0x34);
    EXPECT_EQ(screen.video.last[origin + 1], 0x12);
    EXPECT_FALSE(draw.DrawGrid(10, true));  // windowed only
}

TEST_F(SpriteFixture, UpdateTmpCopiesTheFrameToTheSpareSurface)
{
    draw.WorkSurface().SetPixel(3, 2, 77);
    ASSERT_TRUE(draw.UpdateTmp());
    EXPECT_EQ(draw.SpareSurface().Pixel(3, 2), 77u);
}

}  // namespace
}  // namespace kipkip
