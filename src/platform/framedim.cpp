#include "platform/framedim.h"

#include <cstddef>

namespace kipkip {

void DimFrame(const FrameView& frame, std::vector<std::uint8_t>& out)
{
    const std::size_t size = static_cast<std::size_t>(frame.height) * frame.pitch;
    out.assign(size, 0);
    if (frame.pixels == nullptr) {
        return;
    }
    const int bytes = frame.format.BytesPerPixel();
    const std::uint32_t masks[] = {frame.format.redMask, frame.format.greenMask,
                                   frame.format.blueMask};
    for (int y = 0; y < frame.height; ++y) {
        const std::uint8_t* source = frame.pixels + static_cast<std::size_t>(y) * frame.pitch;
        std::uint8_t* target = out.data() + static_cast<std::size_t>(y) * frame.pitch;
        for (int x = 0; x < frame.width; ++x) {
            // Pixels are stored little-endian, as the masks describe them.
            std::uint32_t pixel = 0;
            for (int b = 0; b < bytes; ++b) {
                pixel |= std::uint32_t(source[x * bytes + b]) << (8 * b);
            }
            std::uint32_t dim = 0;
            for (std::uint32_t mask : masks) {
                // Shifting inside the mask keeps the channel's top bit from falling into the
                // channel below it.
                dim |= ((pixel & mask) >> 1) & mask;
            }
            for (int b = 0; b < bytes; ++b) {
                target[x * bytes + b] = static_cast<std::uint8_t>(dim >> (8 * b));
            }
        }
    }
}

}  // namespace kipkip
