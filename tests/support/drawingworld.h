// tests/support/drawingworld.h
// What every scene test stands on: a fresh temporary folder as the current one, fatal errors
// captured, and a 320 x 240, 16-bit drawing device over fake ports whose built-in bitmaps are
// pictures of their real sizes. `Font` is the fake font, or one that notes more.
#pragma once

#include <cstdint>

#include "device/kivdraw.h"
#include "platform/fatalcapture.h"
#include "support/fakeports.h"
#include "support/sizedbitmaps.h"
#include "support/tempdir.h"

namespace kipkip::test {

template <typename Font = FakeFont>
struct DrawingWorld {
    TempDir dir;
    ScopedCurrentPath inside{dir.Path()};
    FatalCapture fatal;
    FakeVideo video;
    SizedBitmaps bitmaps;
    Font fonts;
    TKivDraw draw{video, bitmaps, fonts};

    DrawingWorld() { draw.Init(320, 240, false, 16); }

    // A pixel of the work surface.
    std::uint32_t Pixel(int x, int y) { return draw.WorkSurface().Pixel(x, y); }
};

}  // namespace kipkip::test
