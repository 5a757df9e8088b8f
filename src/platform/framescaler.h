// platform/framescaler.h
// The game's frame blown up to a window's whole size by the CPU, for a window whose renderer
// has no graphics device behind it: SDL's own software scaling costs several times more. Each
// frame pixel becomes an exact NxN block (nearest neighbour, N whole), centred, with black bars
// round it. Written without SDL so it is tested headless.
#pragma once

#include <cstdint>

#include "platform/ports.h"

namespace kipkip {

class FrameScaler {
public:
    // Which build of the inner loops runs: the fastest the processor has, or one chosen (tests
    // and benchmarks check and time both).
    enum class Path { Fastest, Avx2, Baseline };

    // The loops are built for each scale up to this one, the window's own largest (--scale);
    // a larger window, a 4K desktop's full screen among them, gets wider bars.
    static constexpr int kMaxScale = 8;

    explicit FrameScaler(Path path = Path::Fastest);

    // The largest whole scale, up to kMaxScale, at which a frame fits the target; 1 where not
    // even that fits, and then the frame's middle is shown, cut to the target.
    static int ScaleFor(int frameWidth, int frameHeight, int targetWidth, int targetHeight);
    static bool HasAvx2();

    // Writes every pixel of the target (width x height pixels of the frame's own format, rows
    // `pitch` bytes apart) and none of the bytes beyond a row's pixels. Bars are 0, which is
    // black in every format the window shows. A frame of 2, 3 or 4 bytes a pixel.
    void Scale(const FrameView& frame, std::uint8_t* target, int width, int height,
               int pitch) const;

private:
    bool avx2_ = false;
};

}  // namespace kipkip
