// app/framekeeper.h
// A screen that shows nothing and keeps a copy of the last frame presented to it, for whoever
// draws that frame later: under a menu, or as the picture of a game watched from its recording.
#pragma once

#include "device/surface.h"
#include "platform/ports.h"

namespace kipkip {

class FrameKeeper : public VideoPort {
public:
    // Copies the frame, row by row (its pitch may be wider than its pixels).
    bool Present(const FrameView& frame) override;
    void SetFullScreen(bool) override {}

    // The last frame presented; empty before the first.
    const Surface& Frame() const { return frame_; }

private:
    Surface frame_;
};

}  // namespace kipkip
