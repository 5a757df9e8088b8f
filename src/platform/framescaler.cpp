#include "platform/framescaler.h"

#include <algorithm>
#include <cstddef>
#include <cstring>

namespace kipkip {
namespace {

// One frame row's `count` pixels, each written `kScale` times side by side. The pixel size and
// the scale are constants here, so the loop has no branch and the compiler turns the copies
// into whole-vector shuffles and stores.
template <int kBytes, int kScale>
[[gnu::always_inline]] inline void WidenRow(const std::uint8_t* source, std::uint8_t* target,
                                            int count)
{
    for (int x = 0; x < count; ++x) {
        std::uint8_t pixel[kBytes];
        std::memcpy(pixel, source + x * kBytes, kBytes);
        for (int k = 0; k < kScale; ++k) {
            std::memcpy(target + (x * kScale + k) * kBytes, pixel, kBytes);
        }
    }
}

template <int kBytes>
[[gnu::always_inline]] inline void WidenRowBy(int scale, const std::uint8_t* source,
                                              std::uint8_t* target, int count)
{
    switch (scale) {
        case 1:
            return WidenRow<kBytes, 1>(source, target, count);
        case 2:
            return WidenRow<kBytes, 2>(source, target, count);
        case 3:
            return WidenRow<kBytes, 3>(source, target, count);
        case 4:
            return WidenRow<kBytes, 4>(source, target, count);
        case 5:
            return WidenRow<kBytes, 5>(source, target, count);
        case 6:
            return WidenRow<kBytes, 6>(source, target, count);
        case 7:
            return WidenRow<kBytes, 7>(source, target, count);
        default:
            return WidenRow<kBytes, 8>(source, target, count);
    }
}

// The choice of loop is made once a row; the pixels themselves run straight.
[[gnu::always_inline]] inline void WidenAnyRow(int bytes, int scale, const std::uint8_t* source,
                                               std::uint8_t* target, int count)
{
    switch (bytes) {
        case 2:
            return WidenRowBy<2>(scale, source, target, count);
        case 3:
            return WidenRowBy<3>(scale, source, target, count);
        default:
            return WidenRowBy<4>(scale, source, target, count);
    }
}

// The same loops built for the wider vectors, run only where the processor has them. Two named
// builds rather than target_clones, so that tests and the benchmark can run each one.
[[gnu::target("avx2")]] void WidenRowAvx2(int bytes, int scale, const std::uint8_t* source,
                                          std::uint8_t* target, int count)
{
    WidenAnyRow(bytes, scale, source, target, count);
}

void WidenRowBaseline(int bytes, int scale, const std::uint8_t* source, std::uint8_t* target,
                      int count)
{
    WidenAnyRow(bytes, scale, source, target, count);
}

}  // namespace

FrameScaler::FrameScaler(Path path)
    : avx2_(path == Path::Avx2 || (path == Path::Fastest && HasAvx2()))
{}

bool FrameScaler::HasAvx2()
{
    return __builtin_cpu_supports("avx2") != 0;
}

int FrameScaler::ScaleFor(int frameWidth, int frameHeight, int targetWidth, int targetHeight)
{
    if (frameWidth <= 0 || frameHeight <= 0) {
        return 1;
    }
    return std::clamp(std::min(targetWidth / frameWidth, targetHeight / frameHeight), 1, kMaxScale);
}

void FrameScaler::Scale(const FrameView& frame, std::uint8_t* target, int width, int height,
                        int pitch) const
{
    const int bytes = frame.format.BytesPerPixel();
    const int scale = ScaleFor(frame.width, frame.height, width, height);
    // The frame's part that shows: all of it, but for a target smaller than the frame.
    const int columns = std::min(frame.width, width / scale);
    const int rows = std::min(frame.height, height / scale);
    const std::uint8_t* first =
        frame.pixels + static_cast<std::ptrdiff_t>((frame.height - rows) / 2) * frame.pitch +
        static_cast<std::ptrdiff_t>((frame.width - columns) / 2) * bytes;
    const int left = (width - columns * scale) / 2;
    const int top = (height - rows * scale) / 2;
    const std::size_t rowBytes = static_cast<std::size_t>(width) * bytes;
    const std::size_t leftBytes = static_cast<std::size_t>(left) * bytes;
    const std::size_t pictureBytes = static_cast<std::size_t>(columns) * scale * bytes;
    auto widen = avx2_ ? WidenRowAvx2 : WidenRowBaseline;

    auto rowAt = [&](int y) { return target + static_cast<std::ptrdiff_t>(y) * pitch; };
    for (int y = 0; y < top; ++y) {
        std::memset(rowAt(y), 0, rowBytes);
    }
    for (int row = 0; row < rows; ++row) {
        // One target row is built, bars and all, and the scale's other rows are copies of it.
        std::uint8_t* built = rowAt(top + row * scale);
        std::memset(built, 0, leftBytes);
        widen(bytes, scale, first + static_cast<std::ptrdiff_t>(row) * frame.pitch,
              built + leftBytes, columns);
        std::memset(built + leftBytes + pictureBytes, 0, rowBytes - leftBytes - pictureBytes);
        for (int k = 1; k < scale; ++k) {
            std::memcpy(rowAt(top + row * scale + k), built, rowBytes);
        }
    }
    for (int y = top + rows * scale; y < height; ++y) {
        std::memset(rowAt(y), 0, rowBytes);
    }
}

}  // namespace kipkip
