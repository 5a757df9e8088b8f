// tests/support/fakedrawing.h
// A drawing device over fake ports: frames are counted, bitmaps are test text, fonts a block.
#pragma once

#include "device/kivdraw.h"
#include "support/fakeports.h"

namespace kipkip::test {

struct FakeDrawing {
    FakeVideo video;
    FakeBitmaps bitmaps;
    FakeFont fonts;
    TKivDraw draw{video, bitmaps, fonts};
};

}  // namespace kipkip::test
