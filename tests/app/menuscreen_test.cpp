// The screen under the menu: closed, the game's frames go to the screen as they are; open, each
// is shown with the menu drawn over a copy, and the menu can be shown again over the last one.
#include "app/menuscreen.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <utility>
#include <vector>

#include "platform/pixelformats.h"
#include "support/fakeports.h"

namespace kipkip {
namespace {

Surface Frame(int width, int height, std::uint32_t first)
{
    Surface frame(width, height, pixelformats::kRgb565);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            frame.SetPixel(x, y, first + static_cast<std::uint32_t>(y * width + x) * 0x101);
        }
    }
    return frame;
}

std::vector<std::uint8_t> Bytes(const Surface& frame)
{
    return {frame.Row(0), frame.Row(0) + static_cast<std::size_t>(frame.Pitch()) * frame.Height()};
}

// What the test's overlay makes of a frame: its top-left pixel marked, the next one raised by
// one, so that an overlay drawn twice over the same copy shows.
Surface Overlaid(Surface frame, std::uint32_t mark)
{
    frame.SetPixel(0, 0, mark);
    frame.SetPixel(1, 0, frame.Pixel(1, 0) + 1);
    return frame;
}

class MenuScreenTest : public ::testing::Test {
protected:
    test::FakeVideo video;
    std::uint32_t mark = 0xAAAA;
    int overlays = 0;
    MenuScreen screen{video, [this](Surface& frame) {
                          ++overlays;
                          frame = Overlaid(std::move(frame), mark);
                      }};
};

TEST_F(MenuScreenTest, ClosedTheFramesPassAsTheyAre)
{
    const Surface first = Frame(4, 3, 0x1000);
    EXPECT_TRUE(screen.Present(first.View()));
    EXPECT_EQ(video.presents, 1);
    EXPECT_EQ(video.last, Bytes(first));
    screen.Refresh();
    EXPECT_EQ(video.presents, 1) << "nothing to show again while closed";
    EXPECT_EQ(overlays, 0);
    screen.SetFullScreen(true);
    EXPECT_TRUE(video.fullScreen);
}

TEST_F(MenuScreenTest, OpenEachFrameIsShownWithTheMenuOverACopy)
{
    const Surface first = Frame(4, 3, 0x1000);
    const Surface second = Frame(4, 3, 0x2000);
    const std::vector<std::uint8_t> firstBytes = Bytes(first);
    const std::vector<std::uint8_t> secondBytes = Bytes(second);

    screen.Open(first.View());
    EXPECT_TRUE(screen.IsOpen());
    EXPECT_EQ(video.presents, 1);
    EXPECT_EQ(video.last, Bytes(Overlaid(first, 0xAAAA)));
    EXPECT_EQ(Bytes(screen.Shown()), video.last);
    EXPECT_EQ(Bytes(first), firstBytes) << "the game's frame itself is not drawn on";

    EXPECT_TRUE(screen.Present(second.View()));
    EXPECT_EQ(video.presents, 2);
    EXPECT_EQ(video.last, Bytes(Overlaid(second, 0xAAAA)));
    EXPECT_EQ(Bytes(second), secondBytes);

    // The menu changes: shown again over the last frame, on a fresh copy of it.
    mark = 0xBBBB;
    screen.Refresh();
    screen.Refresh();
    EXPECT_EQ(video.presents, 4);
    EXPECT_EQ(video.last, Bytes(Overlaid(second, 0xBBBB)));
    EXPECT_EQ(overlays, 4);

    screen.Close();
    EXPECT_FALSE(screen.IsOpen());
    const Surface third = Frame(4, 3, 0x3000);
    EXPECT_TRUE(screen.Present(third.View()));
    EXPECT_EQ(video.last, Bytes(third));
    screen.Refresh();
    EXPECT_EQ(video.presents, 5);
    EXPECT_EQ(overlays, 4);
}

TEST_F(MenuScreenTest, AFrameWithPaddedRowsOrANewSizeIsCopiedRowByRow)
{
    // Three 5-6-5 pixels a row, eight bytes from one row to the next.
    std::vector<std::uint8_t> padded = {0x01, 0x10, 0x02, 0x20, 0x03, 0x30, 0xEE, 0xEE,
                                        0x04, 0x40, 0x05, 0x50, 0x06, 0x60, 0xEE, 0xEE};
    screen.Open(FrameView{padded.data(), 3, 2, 8, pixelformats::kRgb565});
    const Surface& shown = screen.Shown();
    ASSERT_EQ(shown.Width(), 3);
    ASSERT_EQ(shown.Height(), 2);
    const std::uint32_t expected[2][3] = {{0xAAAA, 0x2003, 0x3003}, {0x4004, 0x5005, 0x6006}};
    for (int y = 0; y < 2; ++y) {
        for (int x = 0; x < 3; ++x) {
            EXPECT_EQ(shown.Pixel(x, y), expected[y][x]) << x << "," << y;
        }
    }

    const Surface larger = Frame(6, 5, 0x0100);
    screen.Present(larger.View());
    EXPECT_EQ(Bytes(screen.Shown()), Bytes(Overlaid(larger, 0xAAAA)));
}

}  // namespace
}  // namespace kipkip
