// app/framefile.h
// A frame of the game saved as a 24-bit BMP file, for --shot and the player's screenshots.
#pragma once

#include <functional>
#include <string>

namespace kipkip {

class Surface;

// The frame as the player sees it now.
using ShownFrame = std::function<const Surface&()>;

// False when the file cannot be written.
bool SaveFrame(const Surface& frame, const std::string& file);

}  // namespace kipkip
