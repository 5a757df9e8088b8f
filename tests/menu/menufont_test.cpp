// The menu's letters drawn onto a work surface: pixel for pixel as their source grids say,
// clipped at every edge, measured as drawn.
#include <gtest/gtest.h>

#include <climits>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "device/surface.h"
#include "menu/menufont.h"
#include "platform/pixelformats.h"

namespace kipkip {
namespace {

// 5-6-5 values worked out by hand from the 0xRRGGBB colours.
constexpr std::uint32_t kYellow = 0xFFEC27;
constexpr std::uint32_t kYellow565 = 0xFF64;
constexpr std::uint32_t kRing565 = 0x1083;  // 0x10101C
constexpr std::uint32_t kUntouched = 0x5555;

MenuFont BuiltInFont()
{
    auto font = MenuFont::BuiltIn();
    EXPECT_TRUE(font) << "the program holds no MENUFONT bitmap";
    return *font;
}

// What the glyph grids of tools/assets/bitmaps/menufont.py say a string looks like: the lit
// pixels of each 5 x 7 grid at (1 + 6i, 1), the ring every pixel next to one (diagonals
// included), the rest untouched.
std::vector<std::string> Expected(const std::vector<std::vector<std::string>>& glyphs)
{
    const int width = static_cast<int>(glyphs.size()) * 6 + 1;
    std::vector<std::string> picture(9, std::string(width, '.'));
    auto lit = [&](int x, int y) {
        for (std::size_t i = 0; i < glyphs.size(); ++i) {
            const int gx = x - 1 - 6 * static_cast<int>(i);
            if (gx >= 0 && gx < 5 && y >= 1 && y < 8 && glyphs[i][y - 1][gx] == '#') {
                return true;
            }
        }
        return false;
    };
    for (int y = 0; y < 9; ++y) {
        for (int x = 0; x < width; ++x) {
            bool ring = false;
            for (int dy = -1; dy <= 1; ++dy) {
                for (int dx = -1; dx <= 1; ++dx) {
                    ring = ring || lit(x + dx, y + dy);
                }
            }
            picture[y][x] = lit(x, y) ? '#' : ring ? 'o' : '.';
        }
    }
    return picture;
}

// The picture with `margin` untouched pixels all round.
std::vector<std::string> Framed(const std::vector<std::string>& picture, int margin)
{
    const std::string side(margin, '.');
    const std::string blank(picture[0].size() + 2 * margin, '.');
    std::vector<std::string> framed(margin, blank);
    for (const std::string& row : picture) {
        framed.push_back(side + row + side);
    }
    framed.insert(framed.end(), margin, blank);
    return framed;
}

// The surface read back as '#' (lit), 'o' (ring), '.' (untouched) and '?' (anything else).
std::vector<std::string> Seen(const Surface& surface)
{
    std::vector<std::string> picture;
    for (int y = 0; y < surface.Height(); ++y) {
        std::string row;
        for (int x = 0; x < surface.Width(); ++x) {
            const std::uint32_t v = surface.Pixel(x, y);
            row += v == kYellow565 ? '#' : v == kRing565 ? 'o' : v == kUntouched ? '.' : '?';
        }
        picture.push_back(row);
    }
    return picture;
}

const std::vector<std::string> kA = {".###.", "#...#", "#...#", "#####", "#...#", "#...#", "#...#"};
const std::vector<std::string> kZero = {".###.", "#...#", "#..##", "#.#.#",
                                        "##..#", "#...#", ".###."};
const std::vector<std::string> kPercent = {"##..#", "##..#", "...#.", "..#..",
                                           ".#...", "#..##", "#..##"};
const std::vector<std::string> kUp = {"..#..", ".###.", "#.#.#", "..#..",
                                      "..#..", "..#..", "..#.."};
const std::vector<std::string> kPointer = {"#....", "##...", "###..", "####.",
                                           "###..", "##...", "#...."};
const std::vector<std::string> kComma = {".....", ".....", ".....", ".....",
                                         ".##..", ".##..", ".#..."};

TEST(MenuFont, DrawsEachLetterAsItsSourceGridWithTheRingAroundIt)
{
    const MenuFont font = BuiltInFont();
    struct Case {
        std::string text;
        std::vector<std::vector<std::string>> glyphs;
    } cases[] = {
        {"A", {kA}},
        {"a", {kA}},
        {"0", {kZero}},
        {"%", {kPercent}},
        {",", {kComma}},
        {std::string(1, MenuFont::kArrowUp), {kUp}},
        {std::string(1, MenuFont::kPointer), {kPointer}},
        {"A0%", {kA, kZero, kPercent}},  // rings of neighbours share a column, never a lit pixel
    };
    for (const Case& c : cases) {
        const std::vector<std::string> expected = Expected(c.glyphs);
        const int width = static_cast<int>(expected[0].size());
        Surface surface(width + 4, 13, pixelformats::kRgb565);
        surface.Fill(kUntouched);
        font.Draw(surface, 2, 2, c.text, kYellow);
        EXPECT_EQ(Seen(surface), Framed(expected, 2)) << "text \"" << c.text << "\"";
        EXPECT_EQ(MenuFont::Width(c.text), width) << "text \"" << c.text << "\"";
    }
}

TEST(MenuFont, KnowsWhichCharactersItHasAndMeasuresOnlyThose)
{
    const std::string arrows = {MenuFont::kArrowLeft, MenuFont::kArrowRight, MenuFont::kArrowUp,
                                MenuFont::kArrowDown, MenuFont::kPointer};
    for (char c : " !\"#%'()+,-./09:;<=>?AZ[]_az" + arrows) {
        EXPECT_TRUE(MenuFont::CanDraw(c)) << "character " << int(c);
    }
    for (char c : std::string("`{|}~\x7F\x80\xFF\x1A\t\n") + std::string(1, '\0')) {
        EXPECT_FALSE(MenuFont::CanDraw(c)) << "character " << int(static_cast<unsigned char>(c));
    }
    const struct {
        std::string_view text;
        int width;
    } widths[] = {{"", 0}, {"A", 7}, {"MENU", 25}, {"  ", 13}, {"a{b", 13}, {"{}", 0}};
    for (const auto& w : widths) {
        EXPECT_EQ(MenuFont::Width(w.text), w.width) << "\"" << w.text << "\"";
    }
}

TEST(MenuFont, ACharacterWithoutAGlyphDrawsNothingAndTakesNoRoom)
{
    const MenuFont font = BuiltInFont();
    Surface with(40, 12, pixelformats::kRgb565);
    Surface without(40, 12, pixelformats::kRgb565);
    with.Fill(kUntouched);
    without.Fill(kUntouched);
    font.Draw(with, 1, 1,
              "A{B\x7F"
              "C",
              kYellow);
    font.Draw(without, 1, 1, "ABC", kYellow);
    EXPECT_EQ(Seen(with), Seen(without));
}

// A small surface shows exactly the part of the text that a larger one holding it would show
// in the same place: a clipped letter keeps its pixels where they belong and none wraps to
// another row or column. Out-of-bounds writes would also stop the sanitizer build.
TEST(MenuFont, ClipsAtEveryEdgeAndFarAway)
{
    const MenuFont font = BuiltInFont();
    constexpr int kW = 23;
    constexpr int kH = 11;
    constexpr int kMargin = 40;
    const std::string text = "W%#@M";
    const struct {
        int x;
        int y;
    } places[] = {{-3, 1},          {-29, 1},     {-30, 1},     {20, 1},
                  {22, 1},          {23, 1},      {1, -4},      {1, -8},
                  {1, -9},          {1, 8},       {1, 10},      {1, 11},
                  {-5, -5},         {19, 7},      {-4, 9},      {INT_MIN, 0},
                  {INT_MAX, 0},     {0, INT_MIN}, {0, INT_MAX}, {INT_MAX - 5, INT_MAX - 5},
                  {INT_MIN + 3, -3}};
    for (PixelFormat format : {pixelformats::kRgb565, pixelformats::kRgb24}) {
        for (const auto& p : places) {
            Surface small(kW, kH, format);
            small.Fill(kUntouched);
            font.Draw(small, p.x, p.y, text, kYellow);
            Surface large(kW + 2 * kMargin, kH + 2 * kMargin, format);
            large.Fill(kUntouched);
            const bool near = p.x > -kMargin && p.x < kMargin && p.y > -kMargin && p.y < kMargin;
            if (near) {
                font.Draw(large, p.x + kMargin, p.y + kMargin, text, kYellow);
            }
            for (int y = 0; y < kH; ++y) {
                for (int x = 0; x < kW; ++x) {
                    ASSERT_EQ(small.Pixel(x, y), large.Pixel(x + kMargin, y + kMargin))
                        << "text at " << p.x << "," << p.y << ", pixel " << x << "," << y << ", "
                        << format.bitsPerPixel << " bits";
                }
            }
        }
    }
    // A string far longer than the surface, starting a whole number of letters left of it.
    Surface longer(kW, kH, pixelformats::kRgb565);
    Surface shorter(kW, kH, pixelformats::kRgb565);
    longer.Fill(kUntouched);
    shorter.Fill(kUntouched);
    font.Draw(longer, -6000, 1, std::string(5000, 'M'), kYellow);
    font.Draw(shorter, 0, 1, "MMMM", kYellow);
    EXPECT_EQ(Seen(longer), Seen(shorter));
}

}  // namespace
}  // namespace kipkip
