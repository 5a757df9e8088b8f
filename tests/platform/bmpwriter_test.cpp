#include "platform/bmpwriter.h"
#include "platform/pixelformats.h"

#include <gtest/gtest.h>

#include <vector>

namespace kipkip {
namespace {

using namespace pixelformats;

std::uint32_t U32At(const std::vector<std::uint8_t>& bytes, std::size_t offset)
{
    return static_cast<std::uint32_t>(bytes.at(offset)) | bytes.at(offset + 1) << 8 |
           bytes.at(offset + 2) << 16 | static_cast<std::uint32_t>(bytes.at(offset + 3)) << 24;
}

std::uint16_t U16At(const std::vector<std::uint8_t>& bytes, std::size_t offset)
{
    return static_cast<std::uint16_t>(bytes.at(offset) | bytes.at(offset + 1) << 8);
}

TEST(EncodeBmp24, WritesTheHeadersOfAnUncompressedBottomUpFile)
{
    std::vector<std::uint8_t> pixels(5 * 3 * 4, 0);
    std::vector<std::uint8_t> file = EncodeBmp24(FrameView{pixels.data(), 5, 3, 20, kXrgb32});
    const std::size_t stride = 16;  // 15 bytes of pixels, padded to 4
    ASSERT_EQ(file.size(), 54 + 3 * stride);
    EXPECT_EQ(file[0], 'B');
    EXPECT_EQ(file[1], 'M');
    struct Field {
        const char* name;
        std::size_t offset;
        int size;
        std::uint32_t value;
    };
    const Field fields[] = {
        {"file size", 2, 4, 54 + 3 * stride},
        {"reserved", 6, 4, 0},
        {"pixel offset", 10, 4, 54},
        {"header size", 14, 4, 40},
        {"width", 18, 4, 5},
        {"height (positive: bottom up)", 22, 4, 3},
        {"planes", 26, 2, 1},
        {"bits", 28, 2, 24},
        {"compression", 30, 4, 0},
        {"image size", 34, 4, 3 * stride},
        {"colours used", 46, 4, 0},
    };
    for (const Field& field : fields) {
        EXPECT_EQ(field.size == 4 ? U32At(file, field.offset) : U16At(file, field.offset),
                  field.value)
            << field.name;
    }
}

TEST(EncodeBmp24, RowsGoBottomUpInBlueGreenRedPaddedToFourBytes)
{
    // Two rows of two 24-bit pixels, each row followed by two bytes the encoder must skip.
    const std::vector<std::uint8_t> pixels = {
        0x01, 0x02, 0x03, 0x04, 0x05, 0x06, 0xEE, 0xEE,  // top row
        0x11, 0x12, 0x13, 0x14, 0x15, 0x16, 0xEE, 0xEE,  // bottom row
    };
    std::vector<std::uint8_t> file = EncodeBmp24(FrameView{pixels.data(), 2, 2, 8, kRgb24});
    ASSERT_EQ(file.size(), 54u + 2 * 8);
    const std::vector<std::uint8_t> expected = {
        0x11, 0x12, 0x13, 0x14, 0x15, 0x16, 0, 0,  // bottom row first
        0x01, 0x02, 0x03, 0x04, 0x05, 0x06, 0, 0,
    };
    EXPECT_EQ(std::vector<std::uint8_t>(file.begin() + 54, file.end()), expected);
}

TEST(EncodeBmp24, WidensNarrowChannelsByRepeatingTheirBits)
{
    struct Case {
        PixelFormat format;
        std::uint32_t pixel;
        std::uint8_t red, green, blue;
    };
    const Case cases[] = {
        {kRgb565, 0xFFFF, 0xFF, 0xFF, 0xFF},
        {kRgb565, 0x0000, 0x00, 0x00, 0x00},
        {kRgb565, 0x8410, 0x84, 0x82, 0x84},  // the top bit of each channel
        {kRgb565, 0x0821, 0x08, 0x04, 0x08},  // the lowest step of each channel
        {kRgb555, 0x7FFF, 0xFF, 0xFF, 0xFF},
        {kRgb555, 0x4210, 0x84, 0x84, 0x84},
        {kRgb555, 0x8000, 0x00, 0x00, 0x00},  // the unused top bit
        {kRgb24, 0x123456, 0x12, 0x34, 0x56},
        {kXrgb32, 0xFF123456, 0x12, 0x34, 0x56},  // the X byte is not a colour
        {kIndexed8, 0x7F, 0x7F, 0x7F, 0x7F},      // an index is written as its grey level
    };
    for (const Case& c : cases) {
        std::vector<std::uint8_t> pixel;
        for (int b = 0; b < c.format.BytesPerPixel(); ++b) {
            pixel.push_back(static_cast<std::uint8_t>(c.pixel >> (8 * b)));
        }
        std::vector<std::uint8_t> file =
            EncodeBmp24(FrameView{pixel.data(), 1, 1, c.format.BytesPerPixel(), c.format});
        ASSERT_EQ(file.size(), 54u + 4) << std::hex << c.pixel;
        EXPECT_EQ(file[54], c.blue) << std::hex << c.pixel;
        EXPECT_EQ(file[55], c.green) << std::hex << c.pixel;
        EXPECT_EQ(file[56], c.red) << std::hex << c.pixel;
    }
}

TEST(EncodeBmp24, FramesWithoutReadablePixelsGiveNothing)
{
    std::vector<std::uint8_t> pixels(64, 0);
    struct Case {
        const char* what;
        FrameView frame;
    };
    const Case cases[] = {
        {"no buffer", FrameView{nullptr, 2, 2, 8, kXrgb32}},
        {"no width", FrameView{pixels.data(), 0, 2, 8, kXrgb32}},
        {"negative height", FrameView{pixels.data(), 2, -1, 8, kXrgb32}},
        {"12-bit pixels", FrameView{pixels.data(), 2, 2, 8, PixelFormat{12, 0xF00, 0xF0, 0xF}}},
        {"pitch shorter than a row", FrameView{pixels.data(), 2, 2, 7, kXrgb32}},
    };
    for (const Case& c : cases) {
        EXPECT_TRUE(EncodeBmp24(c.frame).empty()) << c.what;
    }
}

}  // namespace
}  // namespace kipkip
