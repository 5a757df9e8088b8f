// The menu's panel, pointer, centred lines and the dimmed frame behind them, on the work
// surface's own pixel format.
#include <gtest/gtest.h>

#include <climits>
#include <cstdint>
#include <string>
#include <vector>

#include "device/surface.h"
#include "menu/menufont.h"
#include "menu/menupainter.h"
#include "platform/pixelformats.h"

namespace kipkip {
namespace {

constexpr std::uint32_t kUntouched = 0x5555;
// The panel's colours in 5-6-5, worked out by hand.
constexpr std::uint32_t kOutline565 = 0x1083;  // 0x10101C
constexpr std::uint32_t kLight565 = 0xCFBF;    // 0xC8F4FF
constexpr std::uint32_t kShade565 = 0x3AF9;    // 0x3B5DC9
constexpr std::uint32_t kFace565 = 0x18E5;     // 0x1A1C2C

TEST(MenuPainter, DimHalvesEveryChannelOfAFiveSixFiveFrame)
{
    const struct {
        std::uint32_t before;
        std::uint32_t after;
    } cases[] = {
        {0xFFFF, 0x7BEF},                    // white: 31, 63, 31 -> 15, 31, 15
        {0xF800, 0x7800},                    // red's top bit does not fall into green
        {0x07E0, 0x03E0},                    // green's does not fall into blue
        {0x001F, 0x000F}, {0x0821, 0x0000},  // 1, 1, 1 -> 0, 0, 0
        {0x1083, 0x0841},                    // 2, 4, 3 -> 1, 2, 1
    };
    Surface frame(static_cast<int>(std::size(cases)), 2, pixelformats::kRgb565);
    for (int x = 0; x < frame.Width(); ++x) {
        frame.SetPixel(x, 0, cases[x].before);
        frame.SetPixel(x, 1, cases[x].before);
    }
    MenuPainter::Dim(frame);
    for (int x = 0; x < frame.Width(); ++x) {
        for (int y = 0; y < 2; ++y) {
            EXPECT_EQ(frame.Pixel(x, y), cases[x].after) << std::hex << cases[x].before;
        }
    }
}

// The panel as letters: O outline, L light bevel, S shaded bevel, F face, . untouched.
std::vector<std::string> PanelSeen(const Surface& surface)
{
    std::vector<std::string> rows;
    for (int y = 0; y < surface.Height(); ++y) {
        std::string row;
        for (int x = 0; x < surface.Width(); ++x) {
            switch (surface.Pixel(x, y)) {
                case kOutline565:
                    row += 'O';
                    break;
                case kLight565:
                    row += 'L';
                    break;
                case kShade565:
                    row += 'S';
                    break;
                case kFace565:
                    row += 'F';
                    break;
                case kUntouched:
                    row += '.';
                    break;
                default:
                    row += '?';
            }
        }
        rows.push_back(row);
    }
    return rows;
}

TEST(MenuPainter, PanelIsOutlinedBevelledAndFilledAndClippedWhereverItLies)
{
    const struct {
        TRect box;
        std::vector<std::string> expected;
    } cases[] = {
        {{1, 1, 8, 7},
         {"........", ".OOOOOOO", ".OLLLLSO", ".OLFFFSO", ".OLFFFSO", ".OSSSSSO", ".OOOOOOO"}},
        // Past the right and bottom edges: the outline and the shade are cut off.
        {{3, 2, 12, 10},
         {"........", "........", "...OOOOO", "...OLLLL", "...OLFFF", "...OLFFF", "...OLFFF"}},
        // Past the left and top edges.
        {{-2, -1, 5, 4},
         {"LLLSO...", "FFFSO...", "SSSSO...", "OOOOO...", "........", "........", "........"}},
        // Larger than any surface: only its face shows.
        {{INT_MIN, INT_MIN, INT_MAX, INT_MAX},
         {"FFFFFFFF", "FFFFFFFF", "FFFFFFFF", "FFFFFFFF", "FFFFFFFF", "FFFFFFFF", "FFFFFFFF"}},
        // Wholly outside, or empty, or turned inside out: nothing.
        {{8, 0, 20, 7}, std::vector<std::string>(7, "........")},
        {{INT_MIN, 0, INT_MIN + 100, 7}, std::vector<std::string>(7, "........")},
        {{INT_MAX - 3, INT_MAX - 3, INT_MAX, INT_MAX}, std::vector<std::string>(7, "........")},
        {{4, 4, 4, 9}, std::vector<std::string>(7, "........")},
        {{6, 5, 2, 1}, std::vector<std::string>(7, "........")},
    };
    for (const auto& c : cases) {
        Surface surface(8, 7, pixelformats::kRgb565);
        surface.Fill(kUntouched);
        MenuPainter::Panel(surface, c.box);
        EXPECT_EQ(PanelSeen(surface), c.expected) << "box " << c.box.left << "," << c.box.top
                                                  << " to " << c.box.right << "," << c.box.bottom;
    }
}

// The leftmost and rightmost columns the drawing changed, or -1, -1.
std::pair<int, int> DrawnColumns(const Surface& surface)
{
    int first = -1;
    int last = -1;
    for (int x = 0; x < surface.Width(); ++x) {
        for (int y = 0; y < surface.Height(); ++y) {
            if (surface.Pixel(x, y) != kUntouched) {
                first = first < 0 ? x : first;
                last = x;
            }
        }
    }
    return {first, last};
}

TEST(MenuPainter, CentresALineBetweenTheBoxEdgesAndDrawsThePointerLikeALetter)
{
    auto font = MenuFont::BuiltIn();
    ASSERT_TRUE(font);
    const MenuPainter painter(*font);
    const struct {
        TRect box;
        std::string text;
        std::pair<int, int> columns;
    } cases[] = {
        {{10, 0, 50, 12}, "AB", {23, 35}},         // 40 wide, 13 drawn: 13 on each side
        {{10, 0, 51, 12}, "AB", {24, 36}},         // an odd pixel left over goes to the right
        {{0, 0, 9, 12}, "ABCD", {0, 16}},          // wider than the box: centred all the same
        {{-100, 0, 100, 12}, "A", {0, 2}},         // centred on 0, half off the surface
        {{INT_MIN, 0, INT_MAX, 12}, "A", {0, 2}},  // the same, without overflowing
    };
    for (const auto& c : cases) {
        Surface surface(60, 12, pixelformats::kRgb565);
        surface.Fill(kUntouched);
        painter.CentredText(surface, c.box, 1, c.text, MenuPainter::kText);
        EXPECT_EQ(DrawnColumns(surface), c.columns)
            << c.text << " in " << c.box.left << " to " << c.box.right;
    }
    Surface cursor(9, 11, pixelformats::kRgb565);
    Surface pointer(9, 11, pixelformats::kRgb565);
    cursor.Fill(kUntouched);
    pointer.Fill(kUntouched);
    painter.Cursor(cursor, 1, 1);
    font->Draw(pointer, 1, 1, std::string(1, MenuFont::kPointer), MenuPainter::kCursor);
    EXPECT_EQ(DrawnColumns(cursor), std::make_pair(1, 6));  // a 4-wide triangle and its ring
    for (int y = 0; y < 11; ++y) {
        for (int x = 0; x < 9; ++x) {
            EXPECT_EQ(cursor.Pixel(x, y), pointer.Pixel(x, y)) << x << "," << y;
        }
    }
}

}  // namespace
}  // namespace kipkip
