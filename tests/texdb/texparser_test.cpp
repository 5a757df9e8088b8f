#include "texdb/texparser.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace kipkip {
namespace {

TexParseResult ParseText(std::string_view text)
{
    return TexParser::Parse(
        "test", std::span(reinterpret_cast<const std::uint8_t*>(text.data()), text.size()));
}

std::vector<std::string> Keys(const TexBlock& block)
{
    std::vector<std::string> keys;
    for (const TexEntry& entry : block.entries) {
        keys.emplace_back(entry.Key());
    }
    return keys;
}

TEST(TexParserLines, EndAtCrLfCrOrLfAndTheLastLineNeedsNoEnd)
{
    auto result = ParseText("{\r\na 1\rb 2\nc 3\r\n}");
    ASSERT_FALSE(result.bracketError);
    ASSERT_EQ(result.blocks.size(), 1u);
    EXPECT_EQ(Keys(result.blocks[0]), (std::vector<std::string>{"a", "b", "c"}));
}

TEST(TexParserLines, AZeroByteEndsTheText)
{
    using namespace std::string_literals;
    auto result = ParseText("{\na 1\n}\n\0{\nb 2\n}\n"s);
    ASSERT_EQ(result.blocks.size(), 1u);
    EXPECT_EQ(Keys(result.blocks[0]), (std::vector<std::string>{"a"}));
}

TEST(TexParserLines, OnlyABareBraceDelimitsABlock)
{
    auto result = ParseText("{\n{ \n\t{\n} \n\t}\nkey 1\n}\noutside 2\n");
    ASSERT_FALSE(result.bracketError);
    ASSERT_EQ(result.blocks.size(), 1u);
    // The near-braces are lines whose first token starts with a brace: no entries.
    EXPECT_EQ(Keys(result.blocks[0]), (std::vector<std::string>{"key"}));
}

TEST(TexParserLines, SeparatorsInAnyMixAreOneBreak)
{
    for (std::string_view line : {"pos\t\t\t37,25", "pos 37, 25", "pos,37,,25", "  ,\tpos 37 25"}) {
        auto result = ParseText("{\n" + std::string(line) + "\n}\n");
        ASSERT_EQ(result.blocks.size(), 1u) << line;
        ASSERT_EQ(result.blocks[0].EntryCount(), 1) << line;
        const TexEntry& entry = result.blocks[0].entries[0];
        EXPECT_EQ(entry.Key(), "pos") << line;
        EXPECT_EQ(entry.value.Int(0), 37) << line;
        EXPECT_EQ(entry.value.Int(1), 25) << line;
    }
}

TEST(TexParserLines, CommentsAndBlankLinesAreNoEntries)
{
    auto result =
        ParseText("{\n# a note\n\n   \nkey 5 # the rest 7 is a comment\n}\n{\n#only\n}\n");
    ASSERT_EQ(result.blocks.size(), 2u);
    ASSERT_EQ(result.blocks[0].EntryCount(), 1);
    EXPECT_EQ(result.blocks[0].entries[0].value, [] {
        TexValue v;
        v.SetInt(0, 5);
        return v;
    }());
    EXPECT_EQ(result.blocks[1].EntryCount(), 0);
}

TEST(TexParserLines, AHashInsideATokenIsAnOrdinaryByte)
{
    auto result = ParseText("{\nk#ey a#b\n}\n");
    ASSERT_EQ(result.blocks[0].EntryCount(), 1);
    EXPECT_EQ(result.blocks[0].entries[0].Key(), "k#ey");
    EXPECT_EQ(result.blocks[0].entries[0].value.Text(), "a#b");
}

// How each line's values land in the 16 bytes.
struct StoreCase {
    const char* line;
    std::vector<std::int32_t> ints;    // expected ints[0..] when not empty
    std::vector<std::int16_t> shorts;  // expected shorts[0..] when not empty
    std::vector<float> reals;          // expected reals[0..] when not empty
    const char* text;                  // expected text when not null
};

void PrintTo(const StoreCase& c, std::ostream* os)
{
    *os << '"' << c.line << '"';
}

class TexParserStores : public testing::TestWithParam<StoreCase> {};

TEST_P(TexParserStores, ValuesByKindAndPosition)
{
    const StoreCase& c = GetParam();
    auto result = ParseText(std::string("{\n") + c.line + "\n}\n");
    ASSERT_FALSE(result.conversionError) << *result.conversionError;
    ASSERT_EQ(result.blocks.size(), 1u);
    ASSERT_EQ(result.blocks[0].EntryCount(), 1);
    const TexValue& v = result.blocks[0].entries[0].value;
    for (std::size_t i = 0; i < c.ints.size(); ++i) {
        EXPECT_EQ(v.Int(int(i)), c.ints[i]) << "ints[" << i << "]";
    }
    for (std::size_t i = 0; i < c.shorts.size(); ++i) {
        EXPECT_EQ(v.Short(int(i)), c.shorts[i]) << "shorts[" << i << "]";
    }
    for (std::size_t i = 0; i < c.reals.size(); ++i) {
        EXPECT_FLOAT_EQ(v.Real(int(i)), c.reals[i]) << "reals[" << i << "]";
    }
    if (c.text != nullptr) {
        EXPECT_EQ(v.Text(), c.text);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Lines, TexParserStores,
    testing::Values(
        StoreCase{"lv0\t3,3,\t4,4,\t0,10,\t60", {}, {3, 3, 4, 4, 0, 10, 60, 0}, {}, nullptr},
        StoreCase{"pos 0,-720", {0, -720, 0, 0}, {}, {}, nullptr},
        StoreCase{"four 1 2 3 4", {1, 2, 3, 4}, {}, {}, nullptr},
        StoreCase{"eight 1 2 3 4 5 6 7 -8", {}, {1, 2, 3, 4, 5, 6, 7, -8}, {}, nullptr},
        // Five or more integers keep only the low 16 bits of each.
        StoreCase{"wide 65537 2 3 4 70000", {}, {1, 2, 3, 4, 4464}, {}, nullptr},
        // Values past the eighth are outside the format and dropped unconverted.
        StoreCase{"nine 1 2 3 4 5 6 7 8 9x-", {}, {1, 2, 3, 4, 5, 6, 7, 8}, {}, nullptr},
        StoreCase{"real 0.5 .5 -1.25 2.", {}, {}, {0.5f, 0.5f, -1.25f, 2.0f}, nullptr},
        StoreCase{"mixed 0 0.5", {0}, {}, {0.0f, 0.5f}, nullptr},
        // A real after the fourth position has no slot and is ignored.
        StoreCase{"late 1 2 3 4 1.5", {1, 2, 3, 4}, {}, {}, nullptr},
        StoreCase{"name frame0", {}, {}, {}, "frame0"}, StoreCase{"name 5x", {}, {}, {}, "5x"},
        StoreCase{"two first second", {}, {}, {}, "second"},
        StoreCase{"name 0123456789abcdefXYZ", {}, {}, {}, "0123456789abcde"},
        StoreCase{"dash --", {}, {}, {}, "--"},
        // A name that looks like a number is stored as one, not as its digits.
        StoreCase{"name 1000", {1000, 0, 0, 0}, {}, {}, "\xe8\x03"},
        StoreCase{"empty", {0, 0, 0, 0}, {}, {}, ""}, StoreCase{"zero 0", {0, 0, 0, 0}, {}, {}, ""},
        StoreCase{"limits -2147483648 2147483647", {INT32_MIN, INT32_MAX}, {}, {}, nullptr}),
    [](const testing::TestParamInfo<StoreCase>& info) {
        std::string_view line = info.param.line;
        return std::to_string(info.index) + "_" +
               std::string(line.substr(0, line.find_first_of(" \t")));
    });

TEST(TexParserKeys, ALongKeyIsCutToFifteenBytes)
{
    auto result = ParseText("{\nabcdefghijklmnopqrstuvwxyz 1\n}\n");
    ASSERT_EQ(result.blocks[0].EntryCount(), 1);
    EXPECT_EQ(result.blocks[0].entries[0].Key(), "abcdefghijklmno");
}

TEST(TexParserKeys, DoubleByteTextIsOrdinaryTokenBytes)
{
    // "数字" (digits) and "難易度データ" in Shift-JIS: no byte of them is a separator.
    auto result =
        ParseText("{\n\x90\x94\x8e\x9a \x93\xef\x88\xd5\x93\x78\x83\x66\x81\x5b\x83\x5e\n}\n");
    ASSERT_EQ(result.blocks[0].EntryCount(), 1);
    EXPECT_EQ(result.blocks[0].entries[0].Key(), "\x90\x94\x8e\x9a");
    EXPECT_EQ(result.blocks[0].entries[0].value.Text(),
              "\x93\xef\x88\xd5\x93\x78\x83\x66\x81\x5b\x83\x5e");
}

TEST(TexParserErrors, ANumberThatDoesNotConvertAbandonsTheLoadAndNamesTheToken)
{
    for (std::string_view token : {"1-2", "--5", "5-", "1.5x", "1.2.3", "2147483648", "-2147483649",
                                   "99999999999999999999"}) {
        auto result = ParseText("{\na 1\n}\n{\nkey 1 " + std::string(token) + "\n}\n");
        EXPECT_TRUE(result.blocks.empty()) << token;
        ASSERT_TRUE(result.conversionError) << token;
        EXPECT_EQ(*result.conversionError,
                  "test: line 5: \"" + std::string(token) + "\" is not a number");
    }
}

TEST(TexParserErrors, BracesThatDoNotPairUpStillLoadWhatTheTextAllows)
{
    struct Case {
        const char* text;
        std::vector<std::vector<std::string>> blocks;
    };
    const Case cases[] = {
        {"{\na 1\n", {{"a"}}},                          // never closed: runs to the last line
        {"}\n{\na 1\n}\n", {{"a"}}},                    // a stray close before any block
        {"{\na 1\n{\nb 2\n}\nc 3\n}\n", {{"a", "b"}}},  // blocks do not nest
        {"{\na 1\n}\n}\n{\nb 2\n", {{"a"}, {"b"}}},
        {"{\n{\n{\n", {{}}},
    };
    for (const Case& c : cases) {
        auto result = ParseText(c.text);
        EXPECT_TRUE(result.bracketError) << c.text;
        EXPECT_FALSE(result.conversionError) << c.text;
        ASSERT_EQ(result.blocks.size(), c.blocks.size()) << c.text;
        for (std::size_t b = 0; b < c.blocks.size(); ++b) {
            EXPECT_EQ(Keys(result.blocks[b]), c.blocks[b]) << c.text;
        }
    }
}

TEST(TexParserErrors, NoBlocksIsNoError)
{
    for (std::string_view text : {"", "just a note\n", "\n\n"}) {
        auto result = ParseText(text);
        EXPECT_FALSE(result.bracketError);
        EXPECT_TRUE(result.blocks.empty());
    }
}

}  // namespace
}  // namespace kipkip
