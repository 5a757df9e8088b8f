#include "app/framekeeper.h"

#include <algorithm>

namespace kipkip {

bool FrameKeeper::Present(const FrameView& frame)
{
    if (frame_.Width() != frame.width || frame_.Height() != frame.height ||
        !(frame_.Format() == frame.format)) {
        frame_ = Surface(frame.width, frame.height, frame.format);
    }
    const auto rowBytes = static_cast<std::size_t>(frame.width * frame.format.BytesPerPixel());
    for (int y = 0; y < frame.height; ++y) {
        const std::uint8_t* row = frame.pixels + static_cast<std::ptrdiff_t>(y) * frame.pitch;
        std::copy(row, row + rowBytes, frame_.Row(y));
    }
    return true;
}

}  // namespace kipkip
