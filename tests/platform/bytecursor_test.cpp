#include "platform/bytecursor.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <vector>

namespace kipkip {
namespace {

TEST(ByteCursor, ReadsBothByteOrdersInsideTheImage)
{
    const std::vector<std::uint8_t> bytes = {'R', 'I', 'F', 'F', 0x01, 0x02, 0x03, 0x04};
    const ByteCursor in(bytes);
    EXPECT_TRUE(in.IdAt(0, "RIFF"));
    EXPECT_FALSE(in.IdAt(0, "RIFX"));
    EXPECT_EQ(in.Le16At(4), 0x0201);
    EXPECT_EQ(in.Be16At(4), 0x0102);
    EXPECT_EQ(in.Le32At(4), 0x04030201u);
    EXPECT_EQ(in.Be32At(4), 0x01020304u);
    EXPECT_EQ(in.BytesAt(6, 2).size(), 2u);
    EXPECT_EQ(in.IdText(4), "????");
}

// Every read that reaches past the end, or starts at an offset so large that offset + n would
// wrap, is refused: Has says no, words read as 0, spans are empty, ids do not match.
TEST(ByteCursor, NothingOutsideTheImageIsRead)
{
    const std::vector<std::uint8_t> bytes = {0xFF, 0xFF, 0xFF, 0xFF, 0xFF};
    const ByteCursor in(bytes);
    constexpr std::size_t kHuge = std::numeric_limits<std::size_t>::max();
    const struct {
        std::size_t offset;
        std::size_t n;
    } outside[] = {{2, 4}, {5, 1}, {6, 0}, {kHuge, 1}, {1, kHuge}, {kHuge - 1, 4}};
    for (const auto& c : outside) {
        EXPECT_FALSE(in.Has(c.offset, c.n)) << c.offset << "+" << c.n;
        EXPECT_TRUE(in.BytesAt(c.offset, c.n).empty()) << c.offset << "+" << c.n;
    }
    EXPECT_TRUE(in.Has(5, 0));
    EXPECT_TRUE(in.Has(1, 4));
    EXPECT_EQ(in.Le32At(2), 0u);
    EXPECT_EQ(in.Be32At(2), 0u);
    EXPECT_EQ(in.Le16At(4), 0u);
    EXPECT_EQ(in.Be16At(kHuge), 0u);
    EXPECT_EQ(in.U8At(5), 0u);
    EXPECT_FALSE(in.IdAt(3, "\xFF\xFF\xFF"));
}

}  // namespace
}  // namespace kipkip
