#include "app/framekeeper.h"

#include "app/framecopy.h"

namespace kipkip {

bool FrameKeeper::Present(const FrameView& frame)
{
    CopyFrame(frame, frame_);
    return true;
}

}  // namespace kipkip
