// platform/bmpwriter.h
// Frames saved as files (`--shot`, and tests that want to look at a picture): an uncompressed
// 24-bit BMP, which every viewer opens and which holds any of our pixel formats without loss.
#pragma once

#include <cstdint>
#include <vector>

#include "platform/ports.h"

namespace kipkip {

// The frame as a bottom-up 24-bit BMP file (a 14-byte file header, a 40-byte info header, rows
// padded to 4 bytes). Channels narrower than 8 bits are widened by repeating their bits
// (5-bit v becomes v << 3 | v >> 2), so full intensity stays full and black stays black;
// wider channels keep their top 8 bits. A palette frame (masks of 0) has no colours to give,
// so its indices are written as grey levels. Empty when the frame has no pixels, a pixel size
// other than 8, 16, 24 or 32 bits, a pitch too short for its rows, or would not fit a BMP.
std::vector<std::uint8_t> EncodeBmp24(const FrameView& frame);

}  // namespace kipkip
