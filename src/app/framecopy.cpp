#include "app/framecopy.h"

#include <algorithm>
#include <cstddef>

namespace kipkip {

void CopyFrame(const FrameView& frame, Surface& into)
{
    if (into.Width() != frame.width || into.Height() != frame.height ||
        !(into.Format() == frame.format)) {
        into = Surface(frame.width, frame.height, frame.format);
    }
    const auto rowBytes = static_cast<std::size_t>(frame.width * frame.format.BytesPerPixel());
    for (int y = 0; y < frame.height; ++y) {
        const std::uint8_t* row = frame.pixels + static_cast<std::ptrdiff_t>(y) * frame.pitch;
        std::copy(row, row + rowBytes, into.Row(y));
    }
}

}  // namespace kipkip
