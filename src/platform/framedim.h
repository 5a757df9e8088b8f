// platform/framedim.h
// The picture of a paused game: the last frame at half brightness, so the player sees where the
// game stopped and that it is not running. Written without SDL so it is tested headless.
#pragma once

#include <cstdint>
#include <vector>

#include "platform/ports.h"

namespace kipkip {

// Every colour channel of every pixel halved (rounded down), into `out`, which takes the
// frame's height x pitch bytes; bits outside the format's masks become 0. The frame itself is
// left as it is, since it is the game's own work surface.
void DimFrame(const FrameView& frame, std::vector<std::uint8_t>& out);

}  // namespace kipkip
