#include "platform/sjis.h"

#include <gtest/gtest.h>

namespace kipkip {
namespace {

TEST(ShiftJis, ConvertsAsWindowsCodePage932Does)
{
    struct Case {
        std::string_view sjis;
        std::string_view utf8;
    };
    const Case cases[] = {
        {"files\\data.toy ~", "files\\data.toy ~"},  // backslash and tilde stay
        {"\x82\xa0", "\xe3\x81\x82"},                // あ
        {"\xb1", "\xef\xbd\xb1"},                    // half-width ｱ
        {"\x87\x40", "\xe2\x91\xa0"},                // NEC ①
        {"\x93\xef\x88\xd5\x93\x78", "\xe9\x9b\xa3\xe6\x98\x93\xe5\xba\xa6"},  // 難易度
    };
    for (const Case& c : cases) {
        EXPECT_EQ(SjisToUtf8(c.sjis), c.utf8);
        EXPECT_EQ(Utf8ToSjis(c.utf8), c.sjis);
    }
}

TEST(ShiftJis, BadBytesBecomeQuestionMarksAndTheRestConverts)
{
    EXPECT_EQ(SjisToUtf8("a\x82"), "a?");  // a lone lead byte at the end
    EXPECT_EQ(SjisToUtf8("\xa0z\x82\xa0"), "?z\xe3\x81\x82");
    EXPECT_EQ(SjisToUtf8(""), "");
}

}  // namespace
}  // namespace kipkip
