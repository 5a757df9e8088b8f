// game/toyplat.h
// A moving platform or a full-width floor: a row of 16 x 16 blocks the hero stands on. It
// moves sideways at a constant speed and wraps around a 416-pixel track from -96 to 320, so
// it leaves one side of the screen completely before it comes back on the other. An actor
// standing on it is carried by the distance the platform covers in one 20 ms tick.
#pragma once

#include <cstdint>

#include "toy/toyactor.h"

namespace kipkip {

class TToyPlat : public TToyActor {
public:
    static constexpr float kTrackLeft = -96.0f;
    static constexpr float kTrackRight = 320.0f;

    // Class word "Plat", name "床", shown by the frame "plat<size>" of the box's animation
    // file "床" (no shape when there is no such frame), moving at `speed` pixels per second.
    TToyPlat(TToyBox* box, int x, int y, int size, float speed);

    // Wraps around the track.
    void Act(int elapsed) override;
    // Carries `other` by this platform's 20 ms distance, whatever the length of the tick.
    void OnTouched(TToyActor* other) override;

    std::int32_t width = 0;  // size x 16 + 32: the drawn width for sizes 0 to 6
};

}  // namespace kipkip
