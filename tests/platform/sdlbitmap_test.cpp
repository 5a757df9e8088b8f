#include "platform/sdl/sdlbitmap.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "platform/bmpwriter.h"
#include "platform/files.h"
#include "platform/pixelformats.h"
#include "support/bmpbytes.h"

namespace kipkip {
namespace {

using namespace pixelformats;

std::uint32_t PixelAt(const Picture& picture, int x, int y)
{
    const std::uint8_t* at = picture.pixels.data() + static_cast<std::size_t>(y) * picture.pitch +
                             static_cast<std::size_t>(x) * picture.format.BytesPerPixel();
    std::uint32_t value = 0;
    for (int b = 0; b < picture.format.BytesPerPixel(); ++b) {
        value |= static_cast<std::uint32_t>(at[b]) << (8 * b);
    }
    return value;
}

// Every pixel, top row first.
std::vector<std::uint32_t> AllPixels(const Picture& picture)
{
    std::vector<std::uint32_t> values;
    for (int y = 0; y < picture.height; ++y) {
        for (int x = 0; x < picture.width; ++x) {
            values.push_back(PixelAt(picture, x, y));
        }
    }
    return values;
}

Picture Decoded(const std::vector<std::uint8_t>& bytes, const PixelFormat& format)
{
    std::string error;
    std::optional<Picture> picture = SdlBitmap().Decode(bytes, format, error);
    EXPECT_TRUE(picture) << error;
    return picture.value_or(Picture{});
}

TEST(SdlBitmapColours, PaletteColoursBecomeTheTruncatedChannelsOfEachFormat)
{
    test::BmpSpec layout;
    layout.width = 5;
    layout.palette = {0x000000, 0xFF00FF, 0x804007, 0x070707, 0xFFFFFF};
    layout.rows = {{0, 1, 2, 3, 4}};
    std::vector<std::uint8_t> bytes = test::BmpBytes(layout);
    struct Case {
        PixelFormat format;
        std::vector<std::uint32_t> pixels;
    };
    const Case cases[] = {
        {kRgb565, {0x0000, 0xF81F, 0x8200, 0x0020, 0xFFFF}},
        // (7,7,7) is below the lowest step of every 5-bit channel: black, and so transparent.
        {kRgb555, {0x0000, 0x7C1F, 0x4100, 0x0000, 0x7FFF}},
        {kRgb24, {0x000000, 0xFF00FF, 0x804007, 0x070707, 0xFFFFFF}},
        {kXrgb32, {0x000000, 0xFF00FF, 0x804007, 0x070707, 0xFFFFFF}},
    };
    for (const Case& c : cases) {
        Picture picture = Decoded(bytes, c.format);
        EXPECT_EQ(picture.format, c.format);
        EXPECT_EQ(picture.pitch, 5 * c.format.BytesPerPixel());
        EXPECT_EQ(AllPixels(picture), c.pixels) << c.format.bitsPerPixel << " bits";
    }
}

TEST(SdlBitmapColours, TwentyFourBitPixelsAreBlueGreenRedInMemory)
{
    // The masks of a 24-bit format are those of a little-endian number, so red is the third
    // byte of its pixel.
    test::BmpSpec layout;
    layout.width = 2;
    layout.bits = 24;
    layout.rows = {{0xFF0000, 0x123456}};
    Picture picture = Decoded(test::BmpBytes(layout), kRgb24);
    EXPECT_EQ(picture.pixels, (std::vector<std::uint8_t>{0x00, 0x00, 0xFF, 0x56, 0x34, 0x12}));
}

TEST(SdlBitmapColours, TrueColourFilesKeepTheirColoursAndNeverTheirAlpha)
{
    struct Case {
        const char* what;
        int bits;
        std::uint32_t compression;
        std::vector<std::uint32_t> bitFields;
        std::uint32_t filePixel;
        std::uint32_t xrgb;
        std::uint32_t rgb565;
    };
    const Case cases[] = {
        {"24 bits", 24, 0, {}, 0x804007, 0x804007, 0x8200},
        {"32 bits, opaque", 32, 0, {}, 0xFF804007, 0x804007, 0x8200},
        {"32 bits, half alpha", 32, 0, {}, 0x80FF00FF, 0xFF00FF, 0xF81F},
        {"32 bits, alpha 0", 32, 0, {}, 0x00FF00FF, 0xFF00FF, 0xF81F},
        {"32 bits, alpha mask", 32, 3, {0xFF0000, 0xFF00, 0xFF}, 0x12345678, 0x345678, 0x32AF},
        {"16 bits, 5-5-5", 16, 0, {}, 0x7C1F, 0xFF00FF, 0xF81F},
        // SDL widens a 16-bit file's channels by scaling and cutting: 16 of 31 is 0x83.
        {"16 bits, 5-6-5 fields", 16, 3, {0xF800, 0x07E0, 0x001F}, 0x8200, 0x834000, 0x8200},
        {"black", 32, 0, {}, 0xFF000000, 0x000000, 0x0000},
    };
    for (const Case& c : cases) {
        test::BmpSpec layout;
        layout.bits = c.bits;
        layout.compression = c.compression;
        layout.bitFields = c.bitFields;
        layout.rows = {{c.filePixel}};
        std::vector<std::uint8_t> bytes = test::BmpBytes(layout);
        EXPECT_EQ(PixelAt(Decoded(bytes, kXrgb32), 0, 0), c.xrgb) << c.what;
        EXPECT_EQ(PixelAt(Decoded(bytes, kRgb565), 0, 0), c.rgb565) << c.what;
    }
}

TEST(SdlBitmapColours, BitsOutsideTheChannelsAreZero)
{
    // Files already in the asked layout, with their unused bits set.
    struct Case {
        const char* what;
        int bits;
        std::uint32_t compression;
        std::vector<std::uint32_t> bitFields;
        std::uint32_t filePixel;
        PixelFormat format;
        std::uint32_t pixel;
    };
    const Case cases[] = {
        {"X byte", 32, 3, {0xFF0000, 0xFF00, 0xFF}, 0xFF000000, kXrgb32, 0},
        {"top bit of 5-5-5", 16, 0, {}, 0x8000, kRgb555, 0},
        {"top bit of white 5-5-5", 16, 0, {}, 0xFFFF, kRgb555, 0x7FFF},
    };
    for (const Case& c : cases) {
        test::BmpSpec layout;
        layout.bits = c.bits;
        layout.compression = c.compression;
        layout.bitFields = c.bitFields;
        layout.rows = {{c.filePixel}};
        EXPECT_EQ(PixelAt(Decoded(test::BmpBytes(layout), c.format), 0, 0), c.pixel) << c.what;
    }
}

TEST(SdlBitmapPalette, EveryBitDepthReadsItsIndicesEitherRowOrder)
{
    // Nine pixels a row, so rows of 1 and 4 bits end inside a byte.
    for (int bits : {1, 4, 8}) {
        for (int height : {2, -2}) {
            test::BmpSpec layout;
            layout.width = 9;
            layout.height = height;
            layout.bits = bits;
            std::uint32_t count = 1u << bits;
            std::vector<std::uint32_t> expected;
            for (std::uint32_t i = 0; i < count; ++i) {
                layout.palette.push_back(0x010203 * (i + 1));
            }
            for (int y = 0; y < 2; ++y) {
                layout.rows.emplace_back();
                for (std::uint32_t x = 0; x < 9; ++x) {
                    std::uint32_t index = (x * 7 + static_cast<std::uint32_t>(y) * 3) % count;
                    layout.rows.back().push_back(index);
                    expected.push_back(layout.palette[index]);
                }
            }
            Picture picture = Decoded(test::BmpBytes(layout), kXrgb32);
            EXPECT_EQ(picture.width, 9);
            EXPECT_EQ(picture.height, 2);
            EXPECT_EQ(picture.fileBits, bits);
            EXPECT_EQ(AllPixels(picture), expected) << bits << " bits, height " << height;
        }
    }
}

TEST(SdlBitmapPalette, AnOs2HeaderWithThreeBytePaletteEntriesReads)
{
    test::BmpSpec layout;
    layout.headerSize = 12;
    layout.width = 3;
    layout.bits = 4;
    layout.palette = {0xFF0000, 0x00FF00, 0x0000FF};
    layout.rows = {{2, 1, 0}};
    Picture picture = Decoded(test::BmpBytes(layout), kXrgb32);
    EXPECT_EQ(picture.fileBits, 4);
    // Three of the sixteen entries come before the pixels.
    EXPECT_EQ(AllPixels(picture), (std::vector<std::uint32_t>{0x0000FF, 0x00FF00, 0xFF0000}));
}

TEST(SdlBitmapPalette, IndicesPastAShortPaletteAreBlack)
{
    // Windows draws such files; SDL alone refuses them. A missing entry is black, which is
    // pixel value 0: those pixels are transparent.
    struct Case {
        const char* what;
        int bits;
        std::uint32_t compression;
        std::vector<std::uint8_t> rawPixels;
    };
    const Case cases[] = {
        {"1 bit", 1, 0, {}},
        {"4 bits", 4, 0, {}},
        {"8 bits", 8, 0, {}},
        // Runs of index 0, then of the last index, then the end of the picture.
        {"8 bits RLE", 8, 1, {0x01, 0x00, 0x02, 0xFF, 0x00, 0x01}},
        {"4 bits RLE", 4, 2, {0x01, 0x00, 0x02, 0xFF, 0x00, 0x01}},
    };
    for (const Case& c : cases) {
        test::BmpSpec layout;
        layout.width = 3;
        layout.bits = c.bits;
        layout.compression = c.compression;
        layout.palette = {0xFFFFFF};
        std::uint32_t last = (1u << c.bits) - 1;
        layout.rows = {{0, last, last}};
        layout.rawPixels = c.rawPixels;
        std::vector<std::uint8_t> bytes = test::BmpBytes(layout);
        for (const PixelFormat& format : {kRgb565, kXrgb32}) {
            std::uint32_t white = format == kRgb565 ? 0xFFFF : 0xFFFFFF;
            EXPECT_EQ(AllPixels(Decoded(bytes, format)), (std::vector<std::uint32_t>{white, 0, 0}))
                << c.what << ", " << format.bitsPerPixel << " bits";
        }
    }
}

TEST(SdlBitmapPalette, EntriesAreReadNoFurtherThanTheFileGoes)
{
    // All 16 entries declared, but the file ends three entries after the palette begins: the
    // pixels start after two, so the third entry is the pixel bytes themselves (as Windows reads
    // them) and every entry after it is black.
    test::BmpSpec layout;
    layout.width = 4;
    layout.bits = 8;
    layout.palette = {0x0000FF, 0x00FF00};
    layout.colorsUsed = 16;
    layout.rows = {{0, 1, 2, 3}};
    std::vector<std::uint8_t> bytes = test::BmpBytes(layout);
    ASSERT_EQ(bytes.size(), 14u + 40 + 2 * 4 + 4);
    EXPECT_EQ(AllPixels(Decoded(bytes, kXrgb32)),
              (std::vector<std::uint32_t>{0x0000FF, 0x00FF00, 0x020100, 0}));
}

TEST(SdlBitmapRoundTrip, SavedFramesDecodeToTheSamePixels)
{
    // Widening by repeated bits and cutting back are inverse, so 16-bit frames survive too.
    for (const PixelFormat& format : {kRgb24, kXrgb32, kRgb565, kRgb555}) {
        const int width = 7;  // rows of 21 bytes in the file, padded to 24
        const int height = 3;
        int bytesPerPixel = format.BytesPerPixel();
        std::vector<std::uint8_t> pixels(static_cast<std::size_t>(width) * height * bytesPerPixel);
        std::uint32_t keep = format.redMask | format.greenMask | format.blueMask;
        std::uint32_t seed = 12345;
        for (std::size_t i = 0; i < pixels.size(); i += static_cast<std::size_t>(bytesPerPixel)) {
            seed = seed * 1103515245 + 12345;
            std::uint32_t value = (seed >> 3) & keep;
            for (int b = 0; b < bytesPerPixel; ++b) {
                pixels[i + static_cast<std::size_t>(b)] =
                    static_cast<std::uint8_t>(value >> (8 * b));
            }
        }
        FrameView frame{pixels.data(), width, height, width * bytesPerPixel, format};
        Picture picture = Decoded(EncodeBmp24(frame), format);
        EXPECT_EQ(picture.fileBits, 24);
        EXPECT_EQ(picture.width, width);
        EXPECT_EQ(picture.height, height);
        EXPECT_EQ(picture.pixels, pixels)
            << format.bitsPerPixel << " bits, green mask " << format.greenMask;
    }
}

std::vector<std::uint8_t> WithU32At(std::vector<std::uint8_t> bytes, std::size_t offset,
                                    std::uint32_t value)
{
    for (int i = 0; i < 4; ++i) {
        bytes.at(offset + static_cast<std::size_t>(i)) =
            static_cast<std::uint8_t>(value >> (8 * i));
    }
    return bytes;
}

TEST(SdlBitmapRefusals, NameTheReason)
{
    test::BmpSpec layout;
    layout.width = 4;
    layout.bits = 24;
    layout.rows = {{1, 2, 3, 4}};
    const std::vector<std::uint8_t> good = test::BmpBytes(layout);
    std::vector<std::uint8_t> shortPixels(good.begin(), good.end() - 1);
    std::vector<std::uint8_t> shortHeader(good.begin(), good.begin() + 40);
    std::vector<std::uint8_t> jpeg = WithU32At(good, 30, 4);
    std::vector<std::uint8_t> rleOf24 = WithU32At(good, 30, 1);
    std::vector<std::uint8_t> twoBits = WithU32At(good, 28, 2);
    std::vector<std::uint8_t> oddHeader = WithU32At(good, 14, 20);
    std::vector<std::uint8_t> hugeHeader = WithU32At(good, 14, 0xFFFFFFFF);
    std::vector<std::uint8_t> noPixels =
        WithU32At(good, 10, static_cast<std::uint32_t>(good.size()));
    std::vector<std::uint8_t> zeroWide = WithU32At(good, 18, 0);
    std::vector<std::uint8_t> negativeWide = WithU32At(good, 18, 0xFFFFFFFC);
    std::vector<std::uint8_t> tooWide = WithU32At(good, 18, SdlBitmap::kMaxSide + 1);
    std::vector<std::uint8_t> tooMany = WithU32At(WithU32At(good, 18, 8192), 22, 8192);
    std::vector<std::uint8_t> lowestHeight = WithU32At(good, 22, 0x80000000);
    std::vector<std::uint8_t> fieldsCut(good.begin(), good.begin() + 60);
    fieldsCut = WithU32At(WithU32At(fieldsCut, 28, 32), 30, 3);

    struct Case {
        const char* what;
        std::vector<std::uint8_t> bytes;
        PixelFormat format;
        std::string error;
    };
    const Case cases[] = {
        {"empty", {}, kRgb565, "not a BMP file"},
        {"other magic",
         {'G', 'I', 'F', '8', '9', 'a', 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0},
         kRgb565,
         "not a BMP file"},
        {"magic only", {'B', 'M'}, kRgb565, "truncated: the header runs past the end of the file"},
        {"cut header", shortHeader, kRgb565, "truncated: the header runs past the end of the file"},
        {"cut bit fields", fieldsCut, kRgb565,
         "truncated: the header runs past the end of the file"},
        {"cut pixels", shortPixels, kRgb565, "truncated: the pixels run past the end of the file"},
        {"pixels past the end", noPixels, kRgb565, "truncated: the file ends before its pixels"},
        {"header size 20", oddHeader, kRgb565, "unsupported header size 20"},
        {"header size 2^32-1", hugeHeader, kRgb565, "unsupported header size 4294967295"},
        {"zero width", zeroWide, kRgb565, "no pixels: the size is 0x1"},
        {"negative width", negativeWide, kRgb565, "no pixels: the size is -4x1"},
        {"too wide", tooWide, kRgb565, "too large: 16385x1 pixels"},
        {"too many pixels", tooMany, kRgb565, "too large: 8192x8192 pixels"},
        {"lowest height", lowestHeight, kRgb565, "too large: 4x2147483648 pixels"},
        {"2 bits", twoBits, kRgb565, "unsupported bits per pixel: 2"},
        {"JPEG inside", jpeg, kRgb565, "unsupported compression 4 for 24 bits per pixel"},
        {"RLE of 24 bits", rleOf24, kRgb565, "unsupported compression 1 for 24 bits per pixel"},
        {"into a palette", good, kIndexed8,
         "cannot decode into 8-bit pixels with these channel masks"},
        {"into 12 bits", good, PixelFormat{12, 0xF00, 0xF0, 0xF},
         "cannot decode into 12-bit pixels with these channel masks"},
    };
    for (const Case& c : cases) {
        std::string error;
        EXPECT_FALSE(SdlBitmap().Decode(c.bytes, c.format, error)) << c.what;
        EXPECT_EQ(error, c.error) << c.what;
    }
    std::string error;
    EXPECT_TRUE(SdlBitmap().Decode(good, kRgb565, error)) << error;
}

TEST(SdlBitmapRefusals, BrokenCompressedDataGivesSdlsReason)
{
    // One run, and the file ends where the end-of-picture mark should be.
    test::BmpSpec layout;
    layout.width = 2;
    layout.compression = 1;
    layout.palette = {0xFFFFFF};
    layout.rawPixels = {0x02, 0x00};
    std::string error;
    EXPECT_FALSE(SdlBitmap().Decode(test::BmpBytes(layout), kRgb565, error));
    EXPECT_EQ(error, "SDL cannot read the pixels: Error reading from datastream");
}

// The files ImageMagick made (tests/data/bitmaps/make.sh).
TEST(SdlBitmapFiles, ImageMagickFilesDecodeToTheirColours)
{
    struct Probe {
        int x, y;
        std::uint32_t xrgb;
    };
    struct Case {
        const char* file;
        int width, height, bits;
        std::vector<Probe> probes;
    };
    const Case cases[] = {
        {"bits1.bmp", 5, 3, 1, {{0, 0, 0xFFFFFF}, {1, 1, 0x000000}, {4, 2, 0xFFFFFF}}},
        {"bits4.bmp", 5, 3, 4, {{0, 0, 0xFF0000}, {1, 1, 0x0000FF}, {2, 2, 0x00FF00}}},
        {"bits8.bmp", 3, 18, 8, {{0, 0, 0xFF0000}, {2, 17, 0x0000FF}}},
        {"rle8.bmp", 3, 18, 8, {{0, 0, 0xFF0000}, {2, 17, 0x0000FF}}},
        {"bits24.bmp", 5, 3, 24, {{0, 0, 0xFF0000}, {1, 1, 0x0000FF}, {4, 2, 0xFF0000}}},
        {"bits32.bmp", 5, 3, 32, {{0, 0, 0xFF0000}, {1, 1, 0x0000FF}, {4, 2, 0xFF0000}}},
    };
    const std::filesystem::path folder =
        std::filesystem::path(KIPKIP_SOURCE_DIR) / "tests/data/bitmaps";
    for (const Case& c : cases) {
        std::optional<std::vector<std::uint8_t>> bytes = ReadWholeFile((folder / c.file).string());
        ASSERT_TRUE(bytes) << c.file;
        Picture picture = Decoded(*bytes, kXrgb32);
        EXPECT_EQ(picture.width, c.width) << c.file;
        EXPECT_EQ(picture.height, c.height) << c.file;
        EXPECT_EQ(picture.fileBits, c.bits) << c.file;
        for (const Probe& probe : c.probes) {
            EXPECT_EQ(PixelAt(picture, probe.x, probe.y), probe.xrgb)
                << c.file << " at " << probe.x << "," << probe.y;
        }
    }
}

}  // namespace
}  // namespace kipkip
