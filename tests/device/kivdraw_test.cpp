#include "device/kivdraw.h"

#include <gtest/gtest.h>

#include "support/fakeports.h"

namespace kipkip {
namespace {

TEST(KivDrawInit, SizesOutsideTheScreenBecomeTheLargest)
{
    test::FakeVideo video;
    TKivDraw draw(video);
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
    test::FakeVideo video;
    TKivDraw draw(video);
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
    test::FakeVideo video;
    TKivDraw draw(video);
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
    test::FakeVideo video;
    TKivDraw draw(video);
    ASSERT_TRUE(draw.Init(2, 2, false, 16));
    draw.WorkSurface().SetPixel(1, 1, 0xF800);
    ASSERT_TRUE(draw.Update());
    ASSERT_EQ(video.presents, 1);
    EXPECT_EQ(video.last, (std::vector<std::uint8_t>{0, 0, 0, 0, 0, 0, 0x00, 0xF8}));
}

}  // namespace
}  // namespace kipkip
