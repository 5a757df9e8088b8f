// app/framecopy.h
// A copy of a frame the game presented, for a screen that draws over it without touching the
// game's own frame.
#pragma once

#include "device/surface.h"
#include "platform/ports.h"

namespace kipkip {

// `into` becomes a copy of `frame`, row by row (the frame's rows may be padded); it is made
// anew only when the frame's size or format changed.
void CopyFrame(const FrameView& frame, Surface& into);

}  // namespace kipkip
