#include "platform/framedim.h"
#include "platform/pixelformats.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

namespace kipkip {
namespace {

FrameView ViewOf(const std::vector<std::uint8_t>& pixels, int width, int height, int pitch,
                 const PixelFormat& format)
{
    return FrameView{pixels.data(), width, height, pitch, format};
}

std::uint16_t U16At(const std::vector<std::uint8_t>& bytes, std::size_t at)
{
    return static_cast<std::uint16_t>(bytes[at] | bytes[at + 1] << 8);
}

TEST(FrameDim, HalvesEachChannelOf565WithoutBleedingIntoTheNext)
{
    // White, pure red, pure green, pure blue: a shift of the whole pixel would carry red's low
    // bit into green and green's into blue.
    const std::uint16_t in[] = {0xFFFF, 0xF800, 0x07E0, 0x001F};
    const std::uint16_t want[] = {0x7BEF, 0x7800, 0x03E0, 0x000F};
    std::vector<std::uint8_t> pixels;
    for (std::uint16_t p : in) {
        pixels.push_back(static_cast<std::uint8_t>(p));
        pixels.push_back(static_cast<std::uint8_t>(p >> 8));
    }
    std::vector<std::uint8_t> out;
    DimFrame(ViewOf(pixels, 4, 1, 8, PixelFormat{}), out);
    ASSERT_EQ(out.size(), 8u);
    for (std::size_t i = 0; i < 4; ++i) {
        EXPECT_EQ(U16At(out, i * 2), want[i]) << "pixel " << i;
    }
}

TEST(FrameDim, Halves555AndLeavesTheUnusedTopBitClear)
{
    const PixelFormat format = pixelformats::kRgb555;
    std::vector<std::uint8_t> pixels = {0xFF, 0xFF, 0x21, 0x04};  // 0xFFFF, then 0x0421
    std::vector<std::uint8_t> out;
    DimFrame(ViewOf(pixels, 2, 1, 4, format), out);
    EXPECT_EQ(U16At(out, 0), 0x3DEF);
    EXPECT_EQ(U16At(out, 2), 0x0000);  // ones in each channel round down to nothing
}

TEST(FrameDim, Halves32BitChannelsAndKeepsTheFrameUnchanged)
{
    const PixelFormat format = pixelformats::kXrgb32;
    std::vector<std::uint8_t> pixels = {0x81, 0x40, 0xFF, 0x00};  // B, G, R, unused
    const std::vector<std::uint8_t> before = pixels;
    std::vector<std::uint8_t> out;
    DimFrame(ViewOf(pixels, 1, 1, 4, format), out);
    EXPECT_EQ(out, (std::vector<std::uint8_t>{0x40, 0x20, 0x7F, 0x00}));
    EXPECT_EQ(pixels, before);
}

TEST(FrameDim, Halves24BitPixelsRowByRowAcrossThePitch)
{
    const PixelFormat format = pixelformats::kRgb24;
    // Two rows of one pixel each, with a padding byte after each row.
    std::vector<std::uint8_t> pixels = {0x10, 0x20, 0x30, 0xAA, 0xFE, 0x02, 0x04, 0xAA};
    std::vector<std::uint8_t> out = {1, 2, 3};  // stale contents are replaced
    DimFrame(ViewOf(pixels, 1, 2, 4, format), out);
    ASSERT_EQ(out.size(), 8u);
    EXPECT_EQ(out[0], 0x08);
    EXPECT_EQ(out[1], 0x10);
    EXPECT_EQ(out[2], 0x18);
    EXPECT_EQ(out[4], 0x7F);
    EXPECT_EQ(out[5], 0x01);
    EXPECT_EQ(out[6], 0x02);
}

}  // namespace
}  // namespace kipkip
