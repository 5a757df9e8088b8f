// The screen that keeps the last frame: a copy of exactly the frame's pixels, whatever the
// source's pitch, remade when a frame of another size or format comes.
#include "app/framekeeper.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "platform/pixelformats.h"

namespace kipkip {
namespace {

// A frame whose rows are `pitch` bytes apart, the bytes past its pixels filled with 0xEE.
struct PaddedFrame {
    std::vector<std::uint8_t> bytes;
    FrameView view;
};

PaddedFrame Padded(int width, int height, int pitch, PixelFormat format, std::uint8_t first)
{
    PaddedFrame frame;
    frame.bytes.assign(static_cast<std::size_t>(pitch) * height, 0xEE);
    const int rowBytes = width * format.BytesPerPixel();
    for (int y = 0; y < height; ++y) {
        for (int i = 0; i < rowBytes; ++i) {
            frame.bytes[static_cast<std::size_t>(y * pitch + i)] =
                static_cast<std::uint8_t>(first + y * rowBytes + i);
        }
    }
    frame.view = FrameView{frame.bytes.data(), width, height, pitch, format};
    return frame;
}

TEST(FrameKeeper, KeepsExactlyTheLastFramesPixels)
{
    struct Case {
        const char* what;
        int width, height, pitch;
        PixelFormat format;
    };
    const Case cases[] = {
        {"rows packed", 4, 3, 8, pixelformats::kRgb565},
        {"rows padded", 3, 2, 10, pixelformats::kRgb565},
        {"wider pixels", 2, 3, 12, pixelformats::kXrgb32},
        {"another size", 5, 1, 10, pixelformats::kRgb565},
    };
    FrameKeeper keeper;
    EXPECT_TRUE(keeper.Frame().Empty()) << "nothing before the first frame";
    std::uint8_t first = 1;
    for (const Case& c : cases) {
        const PaddedFrame frame = Padded(c.width, c.height, c.pitch, c.format, first);
        first = static_cast<std::uint8_t>(first + 50);
        EXPECT_TRUE(keeper.Present(frame.view)) << c.what;
        const Surface& kept = keeper.Frame();
        ASSERT_EQ(kept.Width(), c.width) << c.what;
        ASSERT_EQ(kept.Height(), c.height) << c.what;
        EXPECT_EQ(kept.Format(), c.format) << c.what;
        const auto rowBytes = static_cast<std::size_t>(c.width * c.format.BytesPerPixel());
        for (int y = 0; y < c.height; ++y) {
            const std::uint8_t* source = frame.bytes.data() + static_cast<std::size_t>(y) * c.pitch;
            EXPECT_EQ(std::vector<std::uint8_t>(kept.Row(y), kept.Row(y) + rowBytes),
                      std::vector<std::uint8_t>(source, source + rowBytes))
                << c.what << ", row " << y;
        }
    }
}

}  // namespace
}  // namespace kipkip
