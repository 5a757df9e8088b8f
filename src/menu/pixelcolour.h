// menu/pixelcolour.h
// A colour given as 0xRRGGBB turned into a pixel value of a surface's format: each channel's
// top bits, as many as the format's mask holds.
#pragma once

#include <bit>
#include <cstdint>

#include "platform/ports.h"

namespace kipkip {

inline std::uint32_t PixelColour(const PixelFormat& format, std::uint32_t rgb)
{
    const auto channel = [](std::uint32_t value, std::uint32_t mask) -> std::uint32_t {
        if (mask == 0) {
            return 0;
        }
        const int shift = std::countr_zero(mask);
        const int bits = std::popcount(mask);
        return ((value >> (8 - bits)) << shift) & mask;
    };
    return channel((rgb >> 16) & 0xFF, format.redMask) |
           channel((rgb >> 8) & 0xFF, format.greenMask) | channel(rgb & 0xFF, format.blueMask);
}

}  // namespace kipkip
