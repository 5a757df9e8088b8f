#include "platform/sdl/sdlfont.h"

#include <SDL_ttf.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "support/tempdir.h"

namespace kipkip {
namespace {

constexpr std::string_view kKanji = "\x8a\xbf";     // 漢
constexpr std::string_view kHiragana = "\x82\xa0";  // あ
constexpr std::string_view kSum = "\x87\x94";       // ∑, which IPA Gothic lacks

TextMask Render(SdlFont& font, std::string_view sjis)
{
    TextMask mask;
    EXPECT_TRUE(font.Render(sjis, mask)) << font.Error();
    EXPECT_EQ(mask.coverage.size(), static_cast<std::size_t>(mask.width) * mask.height);
    return mask;
}

bool At(const TextMask& mask, int x, int y)
{
    if (x < 0 || y < 0 || x >= mask.width || y >= mask.height) {
        return false;
    }
    return mask.coverage[static_cast<std::size_t>(y) * mask.width + x] != 0;
}

int Covered(const TextMask& mask)
{
    int count = 0;
    for (std::uint8_t value : mask.coverage) {
        count += value != 0 ? 1 : 0;
    }
    return count;
}

bool SameMask(const TextMask& a, const TextMask& b)
{
    return a.width == b.width && a.height == b.height && a.coverage == b.coverage;
}

// The glyph's advance in the same face without the emboldening.
int RegularAdvance(const std::string& file, char32_t codePoint)
{
    if (TTF_Init() != 0) {
        return -1;
    }
    int advance = -1;
    if (TTF_Font* font = TTF_OpenFont(file.c_str(), 16)) {
        int minX, maxX, minY, maxY;
        TTF_GlyphMetrics32(font, codePoint, &minX, &maxX, &minY, &maxY, &advance);
        TTF_CloseFont(font);
    }
    TTF_Quit();
    return advance;
}

TEST(SdlFontDefault, FindsAJapaneseFaceOnThisMachine)
{
    SdlFont font;
    ASSERT_TRUE(font.Open()) << font.Error();
    EXPECT_EQ(font.Error(), "");
    EXPECT_FALSE(font.FontFile().empty());
    // A face without kana would draw あ as its missing-glyph box, as it draws ∑.
    EXPECT_FALSE(SameMask(Render(font, kHiragana), Render(font, kSum)));
}

TEST(SdlFontText, ALetterIsTheFaceHeightWithInkAndBackground)
{
    SdlFont font;
    TextMask mask = Render(font, "A");
    EXPECT_EQ(mask.height, 16);
    EXPECT_GT(mask.width, 0);
    EXPECT_GT(Covered(mask), 0);
    EXPECT_LT(Covered(mask), mask.width * mask.height);
}

// The rows (or columns) of the mask that have ink, each as the set of its inked columns (rows).
std::vector<std::vector<int>> InkedLines(const TextMask& mask, bool rows)
{
    std::vector<std::vector<int>> lines;
    int count = rows ? mask.height : mask.width;
    int length = rows ? mask.width : mask.height;
    for (int line = 0; line < count; ++line) {
        std::vector<int> inked;
        for (int i = 0; i < length; ++i) {
            if (rows ? At(mask, i, line) : At(mask, line, i)) {
                inked.push_back(i);
            }
        }
        if (!inked.empty()) {
            lines.push_back(inked);
        }
    }
    return lines;
}

// Simple strokes keep their shape: a glyph read with the wrong row length comes out sheared.
TEST(SdlFontText, StrokesComeOutStraight)
{
    struct Case {
        std::string_view text;
        bool vertical;
        std::size_t minLength;
    };
    const Case cases[] = {
        {"|", true, 12},
        {"\x81\x62", true, 12},  // ｜ full-width
        {"_", false, 6},
        {"\x81\x5c", false, 12},  // ― full-width
    };
    SdlFont font;
    for (const Case& c : cases) {
        // Every inked row of a vertical stroke has the same columns, and the other way round.
        std::vector<std::vector<int>> lines = InkedLines(Render(font, c.text), c.vertical);
        ASSERT_GE(lines.size(), c.minLength) << c.text;
        for (const std::vector<int>& line : lines) {
            EXPECT_EQ(line, lines.front()) << c.text;
        }
    }
}

TEST(SdlFontText, AKanjiIsWiderThanALatinLetter)
{
    SdlFont font;
    EXPECT_GT(Render(font, kKanji).width, Render(font, "A").width);
}

TEST(SdlFontText, BoldGlyphsAdvanceOnePixelMoreThanRegularOnes)
{
    const std::pair<std::string_view, char32_t> cases[] = {
        {"A", U'A'},         {"0", U'0'},      {kKanji, 0x6F22},
        {kHiragana, 0x3042}, {"\xb1", 0xFF71},  // half-width ｱ
    };
    SdlFont font;
    ASSERT_TRUE(font.Open()) << font.Error();
    for (const auto& [sjis, codePoint] : cases) {
        int regular = RegularAdvance(font.FontFile(), codePoint);
        ASSERT_GT(regular, 0) << std::hex << static_cast<std::uint32_t>(codePoint);
        EXPECT_EQ(Render(font, sjis).width, regular + 1)
            << std::hex << static_cast<std::uint32_t>(codePoint);
    }
}

// The shaper would place the second glyph at the regular advance, one pixel into the first.
TEST(SdlFontText, EachGlyphIsDrawnWholeAfterThePreviousOne)
{
    const std::pair<std::string_view, std::string_view> cases[] = {
        {"A", "A"},       {"W", "W"},       {kKanji, "A"},
        {"A", kKanji},    {"y", kHiragana},  // a descender beside a glyph that has none
        {kHiragana, "_"}, {"\xb1", "\xb2"},  // half-width ｱｲ
    };
    SdlFont font;
    for (const auto& [first, second] : cases) {
        TextMask a = Render(font, first);
        TextMask b = Render(font, second);
        TextMask both = Render(font, std::string(first) + std::string(second));
        ASSERT_EQ(both.width, a.width + b.width) << first << second;
        ASSERT_EQ(both.height, std::max(a.height, b.height)) << first << second;
        int wrong = 0;
        for (int y = 0; y < both.height; ++y) {
            for (int x = 0; x < both.width; ++x) {
                bool expected = x < a.width ? At(a, x, y) : At(b, x - a.width, y);
                wrong += At(both, x, y) != expected ? 1 : 0;
            }
        }
        EXPECT_EQ(wrong, 0) << first << second;
        EXPECT_EQ(Covered(both), Covered(a) + Covered(b)) << first << second;
    }
}

TEST(SdlFontText, InkBelowTheFaceHeightIsKept)
{
    // IPA Gothic's underscore lies wholly in the row under its 16-pixel height.
    SdlFont font;
    TextMask underscore = Render(font, "_");
    EXPECT_GT(Covered(underscore), 0);
    EXPECT_GE(underscore.height, 16);
    EXPECT_EQ(Render(font, "_A").height, underscore.height);
}

TEST(SdlFontText, BytesThatAreNotShiftJisDrawAsQuestionMarks)
{
    const std::pair<std::string_view, std::string_view> cases[] = {
        {"\x82", "?"},  // a lead byte without its second byte
        {"\xa0", "?"},  // a byte no character starts with
        {"A\x82", "A?"},
        {"\xa0z", "?z"},
    };
    SdlFont font;
    for (const auto& [bad, shown] : cases) {
        EXPECT_TRUE(SameMask(Render(font, bad), Render(font, shown))) << shown;
    }
}

TEST(SdlFontText, EmptyTextDrawsNothing)
{
    SdlFont font;
    TextMask mask{3, 1, {1, 1, 1}};
    EXPECT_FALSE(font.Render("", mask));
    EXPECT_EQ(mask.width, 0);
    EXPECT_EQ(mask.height, 0);
    EXPECT_TRUE(mask.coverage.empty());
}

TEST(SdlFontText, TextPastTheWidthLimitStopsAtAWholeGlyph)
{
    SdlFont font;
    int letter = Render(font, "A").width;
    TextMask mask = Render(font, std::string(2000, 'A'));
    EXPECT_LE(mask.width, SdlFont::kMaxWidth);
    EXPECT_GT(mask.width, SdlFont::kMaxWidth - letter);
    EXPECT_EQ(mask.width % letter, 0);
}

// Draws every character with lead byte `lead`, 188 of them.
void RenderRow(SdlFont& font, int lead)
{
    std::string text;
    for (int trail = 0x40; trail <= 0xFC; ++trail) {
        if (trail != 0x7F) {
            text += static_cast<char>(lead);
            text += static_cast<char>(trail);
        }
    }
    TextMask ignored;
    EXPECT_TRUE(font.Render(text, ignored)) << lead;
}

TEST(SdlFontText, RendersTheSameAfterTheGlyphCacheHasBeenEmptied)
{
    SdlFont font;
    TextMask before = Render(font, std::string(kKanji) + "A");
    // Runs of distinct kanji, more of them in all than the cache holds.
    const std::pair<int, int> leadRanges[] = {{0x89, 0x9F}, {0xE0, 0xE9}};
    for (const auto& [firstLead, lastLead] : leadRanges) {
        for (int lead = firstLead; lead <= lastLead; ++lead) {
            RenderRow(font, lead);
        }
    }
    EXPECT_TRUE(SameMask(Render(font, std::string(kKanji) + "A"), before));
}

TEST(SdlFontChosen, AFileThatDoesNotOpenLeavesTextUndrawnAndSaysWhy)
{
    test::TempDir dir;
    const std::string paths[] = {
        (dir.Path() / "missing.ttf").string(),
        dir.Write("notafont.ttf", "these are not the bytes of a font\n"),
        dir.Path().string(),
    };
    for (const std::string& path : paths) {
        SdlFont font(path);
        TextMask mask;
        EXPECT_FALSE(font.Render("A", mask)) << path;
        EXPECT_FALSE(font.Open()) << path;
        EXPECT_NE(font.Error().find(path), std::string::npos) << font.Error();
        EXPECT_EQ(font.FontFile(), "") << path;
    }
}

TEST(SdlFontChosen, AFileThatOpensIsUsed)
{
    std::string file = MatchFontFile("IPAGothic:lang=ja", 0x3042);
    ASSERT_NE(file, "");
    SdlFont font(file);
    EXPECT_GT(Covered(Render(font, kHiragana)), 0);
    EXPECT_EQ(font.FontFile(), file);
    EXPECT_EQ(font.Error(), "");
}

TEST(FontMatch, AMatchMustHaveTheCharacterAskedFor)
{
    EXPECT_NE(MatchFontFile("IPAGothic:lang=ja", 0x3042), "");
    EXPECT_NE(MatchFontFile("sans-serif", 0), "");
    EXPECT_EQ(MatchFontFile("IPAGothic:lang=ja", 0x10FFFD), "");  // no face has this one
}

TEST(ShiftJisCut, KeepsWholeCharactersWithinTheLimit)
{
    struct Case {
        std::string_view text;
        std::size_t maxBytes;
        std::string_view kept;
    };
    const Case cases[] = {
        {"ABC", 2, "AB"},
        {"ABC", 9, "ABC"},
        {"A\x8a\xbf", 2, "A"},  // 漢 would be cut in half
        {"A\x8a\xbf", 3, "A\x8a\xbf"},
        {"\xe0\x40Z", 1, ""},     // a lead byte from the upper range
        {"\xb1\xb2", 1, "\xb1"},  // half-width kana are single bytes
        {"A\x82", 5, "A\x82"},    // a lone lead byte at the end stays, to become '?'
        {"ab", 0, ""},
        {"", 4, ""},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(CutShiftJis(c.text, c.maxBytes), c.kept) << c.text << " " << c.maxBytes;
    }
}

}  // namespace
}  // namespace kipkip
