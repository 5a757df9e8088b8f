// The 8-bit BMP reader under the menu font: the built-in sheet as written, and damaged
// headers and short files refused without reading past the bytes.
#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <vector>

#include "menu/indexedbitmap.h"
#include "menu/menufont.h"
#include "platform/resources.h"

namespace kipkip {
namespace {

std::vector<std::uint8_t> BuiltInSheet()
{
    auto bytes = FindResource("BITMAP", "MENUFONT");
    EXPECT_TRUE(bytes);
    return bytes ? std::vector<std::uint8_t>(bytes->begin(), bytes->end())
                 : std::vector<std::uint8_t>();
}

void PutLe32(std::vector<std::uint8_t>& bytes, std::size_t at, std::uint32_t value)
{
    for (int i = 0; i < 4; ++i) {
        bytes[at + i] = static_cast<std::uint8_t>(value >> (8 * i));
    }
}

TEST(IndexedBitmap, ReadsTheFontSheetTopRowFirst)
{
    const std::vector<std::uint8_t> bytes = BuiltInSheet();
    auto sheet = IndexedBitmap::Read(bytes);
    ASSERT_TRUE(sheet);
    EXPECT_EQ(sheet->Width(), 112);
    EXPECT_EQ(sheet->Height(), 45);
    // Cell 1 is "!": its stroke lit (white, index 8) from row 1, ringed in ink (index 1) above.
    EXPECT_EQ(sheet->At(7 + 3, 0), 1);
    EXPECT_EQ(sheet->At(7 + 3, 1), 8);
    EXPECT_EQ(sheet->At(7 + 3, 6), 1);  // the gap above the dot
    EXPECT_EQ(sheet->At(7 + 3, 7), 8);
    EXPECT_EQ(sheet->At(0, 0), 0);
    EXPECT_EQ(sheet->At(-1, 0), 0);
    EXPECT_EQ(sheet->At(112, 44), 0);

    // The same rows stored top-down.
    std::vector<std::uint8_t> flipped = bytes;
    const std::size_t offset = bytes[10] | bytes[11] << 8;
    constexpr std::size_t kStride = 112;
    for (std::size_t y = 0; y < 45; ++y) {
        std::copy_n(bytes.begin() + offset + (44 - y) * kStride, kStride,
                    flipped.begin() + offset + y * kStride);
    }
    PutLe32(flipped, 22, static_cast<std::uint32_t>(-45));
    auto topDown = IndexedBitmap::Read(flipped);
    ASSERT_TRUE(topDown);
    for (int y = 0; y < 45; ++y) {
        for (int x = 0; x < 112; ++x) {
            ASSERT_EQ(topDown->At(x, y), sheet->At(x, y)) << x << "," << y;
        }
    }
}

TEST(IndexedBitmap, RefusesDamagedHeadersAndShortFiles)
{
    const std::vector<std::uint8_t> good = BuiltInSheet();
    ASSERT_FALSE(good.empty());
    const struct {
        const char* what;
        std::function<void(std::vector<std::uint8_t>&)> damage;
    } cases[] = {
        {"not BM", [](auto& b) { b[0] = 'X'; }},
        {"4 bits a pixel", [](auto& b) { b[28] = 4; }},
        {"run-length compressed", [](auto& b) { PutLe32(b, 30, 1); }},
        {"no width", [](auto& b) { PutLe32(b, 18, 0); }},
        {"negative width", [](auto& b) { PutLe32(b, 18, static_cast<std::uint32_t>(-112)); }},
        {"huge width", [](auto& b) { PutLe32(b, 18, 0x7FFFFFFF); }},
        {"no height", [](auto& b) { PutLe32(b, 22, 0); }},
        {"most negative height", [](auto& b) { PutLe32(b, 22, 0x80000000); }},
        {"more rows than bytes", [](auto& b) { PutLe32(b, 22, 46); }},
        {"pixels past the end", [](auto& b) { PutLe32(b, 10, 0xFFFFFFF0); }},
        {"wider rows than bytes", [](auto& b) { PutLe32(b, 18, 116); }},
    };
    for (const auto& c : cases) {
        std::vector<std::uint8_t> bytes = good;
        c.damage(bytes);
        EXPECT_FALSE(IndexedBitmap::Read(bytes)) << c.what;
    }
    // The pixels come last, so every shorter prefix of the file lacks some of them.
    for (std::size_t size = 0; size < good.size(); ++size) {
        ASSERT_FALSE(IndexedBitmap::Read(std::span(good.data(), size))) << size << " bytes";
    }
}

TEST(IndexedBitmap, AFontNeedsASheetWithEveryCell)
{
    std::vector<std::uint8_t> bytes = BuiltInSheet();
    ASSERT_TRUE(MenuFont::FromBitmap(bytes));
    // 45 rows hold five rows of cells; four rows (36) leave out the arrows and the pointer.
    PutLe32(bytes, 22, 36);
    EXPECT_TRUE(IndexedBitmap::Read(bytes));
    EXPECT_FALSE(MenuFont::FromBitmap(bytes));
}

}  // namespace
}  // namespace kipkip
