// The pace marker: a pennant with the record's initials at its row on the screen, an arrow and
// the initials at the top or bottom corner when the record is off it, never a pixel outside
// the frame.
#include "menu/pacemarkerview.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <cstdint>
#include <optional>
#include <string>

#include "device/surface.h"
#include "menu/menufont.h"
#include "platform/pixelformats.h"

namespace kipkip {
namespace {

using Where = PaceMarkerView::Where;

constexpr std::uint32_t kUntouched = 0x5555;
constexpr std::uint32_t kYellow565 = 0xFF64;  // 0xFFEC27, worked out by hand
constexpr std::uint32_t kInk565 = 0x1083;     // 0x10101C

// The pixels that changed, as a box (right and bottom exclusive); all zero when none did.
TRect Changed(const Surface& frame)
{
    TRect box{INT_MAX, INT_MAX, INT_MIN, INT_MIN};
    for (int y = 0; y < frame.Height(); ++y) {
        for (int x = 0; x < frame.Width(); ++x) {
            if (frame.Pixel(x, y) != kUntouched) {
                box = {std::min(box.left, x), std::min(box.top, y), std::max(box.right, x + 1),
                       std::max(box.bottom, y + 1)};
            }
        }
    }
    return box.left == INT_MAX ? TRect{} : box;
}

int CountYellow(const Surface& frame, const TRect& box)
{
    int count = 0;
    for (int y = box.top; y < box.bottom; ++y) {
        for (int x = box.left; x < box.right; ++x) {
            count += frame.Pixel(x, y) == kYellow565 ? 1 : 0;
        }
    }
    return count;
}

struct PaceMarkerViewTest : testing::Test {
    std::optional<MenuFont> font = MenuFont::BuiltIn();
    Surface frame{320, 240, pixelformats::kRgb565};

    void SetUp() override
    {
        ASSERT_TRUE(font) << "built without the menu's letters";
        frame.Fill(kUntouched);
    }
    void Draw(Where where, int y, std::string_view initials = "ABC",
              TRect screen = {0, 0, 320, 240})
    {
        PaceMarkerView(*font).Draw(frame, screen, where, y, initials);
    }
};

TEST_F(PaceMarkerViewTest, APennantReachesInFromTheRightEdgeAtTheRecordsRow)
{
    // The initials go above the line where the top edge leaves room, else below it.
    const struct {
        int y;
        bool textAbove;
    } cases[] = {{120, true}, {239, true}, {10, true}, {9, false}, {0, false}, {1, false}};
    for (const auto& c : cases) {
        SCOPED_TRACE("row " + std::to_string(c.y));
        frame.Fill(kUntouched);
        Draw(Where::kOnScreen, c.y);
        for (int x = 320 - PaceMarkerView::kPennantLength; x < 320; ++x) {
            EXPECT_EQ(frame.Pixel(x, c.y), kYellow565) << "line at x " << x;
            if (c.y > 0) {
                EXPECT_EQ(frame.Pixel(x, c.y - 1), kInk565) << "ink above at x " << x;
            }
            if (c.y < 239) {
                EXPECT_EQ(frame.Pixel(x, c.y + 1), kInk565) << "ink below at x " << x;
            }
        }
        EXPECT_EQ(frame.Pixel(320 - PaceMarkerView::kPennantLength - 1, c.y), kInk565) << "tip";
        EXPECT_EQ(frame.Pixel(320 - PaceMarkerView::kPennantLength - 2, c.y), kUntouched);

        // The initials: three letters' box against the right edge, one pixel in.
        const TRect text =
            c.textAbove ? TRect{300, c.y - 10, 319, c.y - 1} : TRect{300, c.y + 2, 319, c.y + 11};
        EXPECT_GT(CountYellow(frame, text), 15) << "the letters are lit";
        const TRect changed = Changed(frame);
        EXPECT_EQ(changed.right, 320);
        EXPECT_GE(changed.left, 320 - PaceMarkerView::kPennantLength - 1);
        EXPECT_EQ(changed.top, c.textAbove ? c.y - 10 : std::max(c.y - 1, 0));
        EXPECT_EQ(changed.bottom, c.textAbove ? std::min(c.y + 2, 240) : c.y + 11);
    }
}

TEST_F(PaceMarkerViewTest, OffTheScreenAnArrowAndTheInitialsSitInTheCornerTowardsTheRecord)
{
    const int width = MenuFont::Width("^ABC");  // four characters
    const struct {
        Where where;
        int top;  // of the text's box
    } cases[] = {{Where::kAbove, 1}, {Where::kBelow, 240 - 1 - MenuFont::kHeight}};
    Surface arrows[2];
    for (int i = 0; i < 2; ++i) {
        frame.Fill(kUntouched);
        Draw(cases[i].where, 120);  // the row is not read off the screen
        const TRect text{320 - 1 - width, cases[i].top, 319, cases[i].top + MenuFont::kHeight};
        const TRect changed = Changed(frame);
        EXPECT_GE(changed.left, text.left) << i;
        EXPECT_LE(changed.right, text.right) << i;
        EXPECT_GE(changed.top, text.top) << i;
        EXPECT_LE(changed.bottom, text.bottom) << i;
        EXPECT_GT(CountYellow(frame, text), 20) << i;
        arrows[i] = Surface(MenuFont::kAdvance, MenuFont::kHeight, pixelformats::kRgb565);
        for (int y = 0; y < MenuFont::kHeight; ++y) {
            for (int x = 0; x < MenuFont::kAdvance; ++x) {
                arrows[i].SetPixel(x, y, frame.Pixel(text.left + x, text.top + y));
            }
        }
    }
    bool differ = false;
    for (int y = 0; y < MenuFont::kHeight; ++y) {
        for (int x = 0; x < MenuFont::kAdvance; ++x) {
            differ = differ || arrows[0].Pixel(x, y) != arrows[1].Pixel(x, y);
        }
    }
    EXPECT_TRUE(differ) << "the arrows point different ways";
}

TEST_F(PaceMarkerViewTest, DrawsOnTheScreensPlaceInALargerFrame)
{
    // Full screen, the 320 x 240 picture is in the middle of a 640 x 480 canvas.
    frame = Surface(640, 480, pixelformats::kRgb565);
    frame.Fill(kUntouched);
    Draw(Where::kOnScreen, 50, "ABC", {160, 120, 480, 360});
    EXPECT_EQ(frame.Pixel(479, 170), kYellow565);
    EXPECT_EQ(frame.Pixel(480 - PaceMarkerView::kPennantLength, 170), kYellow565);
    const TRect changed = Changed(frame);
    EXPECT_EQ(changed.right, 480);
    EXPECT_EQ(changed.top, 160);

    frame.Fill(kUntouched);
    Draw(Where::kBelow, 0, "ABC", {160, 120, 480, 360});
    EXPECT_EQ(Changed(frame).bottom, 359);
    EXPECT_EQ(Changed(frame).right, 479);
}

TEST_F(PaceMarkerViewTest, NeverWritesOutsideTheFrameWhereverItIsAsked)
{
    const std::string longName(2000, 'W');
    const struct {
        int width;
        int height;
        TRect screen;
        Where where;
        int y;
        std::string_view initials;
        bool seen;  // whether any of it falls on the frame
    } cases[] = {
        {320, 240, {0, 0, 320, 240}, Where::kOnScreen, INT_MAX, "ABC", false},
        {320, 240, {0, 0, 320, 240}, Where::kOnScreen, INT_MIN, "ABC", false},
        {320, 240, {0, 0, 320, 240}, Where::kOnScreen, -12, "ABC", false},
        {320, 240, {0, 0, 320, 240}, Where::kOnScreen, 251, "ABC", false},
        {320, 240, {INT_MIN, INT_MIN, INT_MAX, INT_MAX}, Where::kOnScreen, 5, "ABC", false},
        {320, 240, {INT_MIN, INT_MIN, INT_MAX, INT_MAX}, Where::kBelow, 0, "ABC", false},
        {320, 240, {400, 0, 720, 240}, Where::kAbove, 0, "ABC", false},
        {320, 240, {-400, 0, -80, 240}, Where::kOnScreen, 9, "ABC", false},
        {320, 240, {0, 0, 320, 240}, Where::kAbove, 0, longName, true},
        {320, 240, {0, 0, 320, 240}, Where::kOnScreen, 100, longName, true},
        {3, 2, {0, 0, 3, 2}, Where::kOnScreen, 1, "ABC", true},
        {1, 1, {0, 0, 1, 1}, Where::kBelow, 0, "ABC", false},
        {1, 1, {0, 0, 1, 1}, Where::kOnScreen, 0, "", true},
        {30, 12, {0, 0, 320, 240}, Where::kOnScreen, 3, "ABC", false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::to_string(c.width) + "x" + std::to_string(c.height) + " row " +
                     std::to_string(c.y));
        frame = Surface(c.width, c.height, pixelformats::kRgb565);
        frame.Fill(kUntouched);
        Draw(c.where, c.y, c.initials, c.screen);
        const TRect changed = Changed(frame);
        EXPECT_EQ(changed.right > changed.left, c.seen);
    }
}

}  // namespace
}  // namespace kipkip
