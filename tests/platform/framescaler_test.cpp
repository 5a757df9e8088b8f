#include "platform/framescaler.h"
#include "platform/pixelformats.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <vector>

namespace kipkip {
namespace {

constexpr std::uint8_t kUntouched = 0xA5;  // what the target holds before the scaler runs
constexpr int kPadding = 5;                // bytes past each target row the scaler leaves alone

// A frame whose every byte differs from its neighbours and none is 0, so a misplaced, swapped
// or missing byte shows, and a bar cannot pass for picture.
struct PatternFrame {
    std::vector<std::uint8_t> pixels;
    FrameView view;

    PatternFrame(int width, int height, const PixelFormat& format)
    {
        // A pitch longer than the row, as a frame cut from a larger canvas has.
        const int pitch = width * format.BytesPerPixel() + 3;
        pixels.resize(static_cast<std::size_t>(pitch) * height);
        for (std::size_t i = 0; i < pixels.size(); ++i) {
            pixels[i] = static_cast<std::uint8_t>(1 + (i * 37 + i / 251) % 255);
        }
        view = FrameView{pixels.data(), width, height, pitch, format};
    }
};

// Each target pixel looked up on its own: the frame pixel whose block it falls in, or black.
std::vector<std::uint8_t> Reference(const FrameView& frame, int width, int height, int pitch,
                                    int scale)
{
    const int bytes = frame.format.BytesPerPixel();
    std::vector<std::uint8_t> out(static_cast<std::size_t>(pitch) * height, kUntouched);
    const int shownWidth = std::min(frame.width * scale, width / scale * scale);
    const int shownHeight = std::min(frame.height * scale, height / scale * scale);
    const int left = (width - shownWidth) / 2;
    const int top = (height - shownHeight) / 2;
    const int cutX = (frame.width - shownWidth / scale) / 2;
    const int cutY = (frame.height - shownHeight / scale) / 2;
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const bool inside =
                x >= left && x < left + shownWidth && y >= top && y < top + shownHeight;
            const std::uint8_t* from = frame.pixels + (cutY + (y - top) / scale) * frame.pitch +
                                       (cutX + (x - left) / scale) * bytes;
            for (int b = 0; b < bytes; ++b) {
                out[y * pitch + x * bytes + b] = inside ? from[b] : 0;
            }
        }
    }
    return out;
}

struct ScaleCase {
    int frameWidth;
    int frameHeight;
    int width;  // the target's
    int height;
    int scale;  // the one the scaler is to choose
};

const ScaleCase kCases[] = {
    {320, 240, 320, 240, 1},   {320, 240, 321, 241, 1}, {320, 240, 967, 725, 3},
    {320, 240, 1281, 1023, 4}, {320, 240, 640, 481, 2}, {320, 240, 1920, 1080, 4},
    {320, 240, 300, 200, 1},  // smaller than the frame: its middle, cut
    {320, 240, 319, 700, 1},  // narrower only
    {21, 13, 106, 67, 5},      {21, 13, 127, 79, 6},    {21, 13, 150, 92, 7},
    {21, 13, 169, 105, 8},     {21, 13, 600, 400, 8},  // no larger than the largest scale
    {21, 13, 45, 200, 2},                              // the width decides
    {21, 13, 400, 27, 2},                              // the height decides
};

const PixelFormat kFormats[] = {pixelformats::kRgb565, pixelformats::kRgb24, pixelformats::kXrgb32};

TEST(FrameScalerScale, ChoosesTheLargestWholeScaleThatFitsAtLeastOneAtMostEight)
{
    for (const ScaleCase& c : kCases) {
        EXPECT_EQ(FrameScaler::ScaleFor(c.frameWidth, c.frameHeight, c.width, c.height), c.scale)
            << c.frameWidth << "x" << c.frameHeight << " in " << c.width << "x" << c.height;
    }
}

// Every case in every format, on one build of the loops.
void ExpectEveryCaseScaledExactly(FrameScaler::Path path)
{
    const FrameScaler scaler(path);
    for (const PixelFormat& format : kFormats) {
        for (const ScaleCase& c : kCases) {
            PatternFrame frame(c.frameWidth, c.frameHeight, format);
            const int pitch = c.width * format.BytesPerPixel() + kPadding;
            std::vector<std::uint8_t> target(static_cast<std::size_t>(pitch) * c.height,
                                             kUntouched);
            scaler.Scale(frame.view, target.data(), c.width, c.height, pitch);
            const std::vector<std::uint8_t> want =
                Reference(frame.view, c.width, c.height, pitch, c.scale);
            if (target == want) {
                continue;
            }
            std::size_t at = 0;
            while (target[at] == want[at]) {
                ++at;
            }
            ADD_FAILURE() << format.bitsPerPixel << " bits, " << c.frameWidth << "x"
                          << c.frameHeight << " in " << c.width << "x" << c.height
                          << ": first difference at row " << at / pitch << ", byte " << at % pitch
                          << ": " << int(target[at]) << " instead of " << int(want[at]);
        }
    }
}

TEST(FrameScalerScale, MakesEachPixelAnExactBlockCentredInBlackBars)
{
    ExpectEveryCaseScaledExactly(FrameScaler::Path::Baseline);
}

TEST(FrameScalerScale, MakesTheSamePictureWithTheWideVectorLoops)
{
    if (!FrameScaler::HasAvx2()) {
        GTEST_SKIP() << "this processor has no AVX2";
    }
    ExpectEveryCaseScaledExactly(FrameScaler::Path::Avx2);
}

}  // namespace
}  // namespace kipkip
