// game/toykipkip.h
// The hero, the one actor the player steers. Each tick it turns the kernel's held and pressed
// bits into walking, braking and jumping, stands on the first platform under its feet and
// rides it, falls under gravity but never below the level's bottom floor, drops through
// platforms for a moment when an enemy knocks it, and scrolls the world and the background
// so that its feet stay 180 pixels from the top of the screen. Units are pixels, pixels per
// second and pixels per second squared; y grows downwards and the position is the point
// under its feet. The hero owns its animator, which is also its shape.
#pragma once

#include <cstdint>
#include <string>

#include "toy/toyactor.h"
#include "toy/toyanimator.h"

namespace kipkip {

class TToyKipKip : public TToyActor {
public:
    static constexpr float kGravity = 800.0f;
    static constexpr float kJumpSpeed = 400.0f;
    static constexpr float kWalkSpeed = 100.0f;
    static constexpr float kMaxFallSpeed = 600.0f;  // 12 pixels a tick: less than a platform
    static constexpr float kGroundBraking = 800.0f;
    static constexpr float kAirBraking = 200.0f;
    static constexpr std::int32_t kHurtTime = 300;
    static constexpr std::int32_t kFeetFromTop = 180;     // on the screen
    static constexpr std::int32_t kMaxBackgroundY = 720;  // the background picture's overhang

    // On the unnamed layer, with class word "KipKip", drawn by the box's animation file
    // "キップキップ"; then Reset.
    TToyKipKip(TToyBox* box, std::string name);

    // The input, the support and the scrolling of one tick, after the actor has moved.
    void Act(int elapsed) override;

    // The start pose of every game: at (100, 0), shown, facing left, standing, not hurt.
    // Velocity and acceleration are left as they were.
    void Reset();
    // Gravity, or standing on a platform; never below floorY.
    void CheckSupport();
    // Whether the feet are on a platform; the first such platform carries the hero along and
    // the feet go to its top edge. Never while rising: platforms are passed from below.
    bool FindSupport();
    // Walking, braking and jumping from the kernel's bits.
    void Steer();
    // An enemy's hit: falling through platforms for kHurtTime of the hero's own ticks.
    void Knock();

    TToyAnimator animator;  // owned; also `shape`
    bool hurt = false;
    std::int32_t hurtTime = 0;  // milliseconds of `hurt` left
    bool idle = false;          // standing, not walking
    bool airborne = false;
    bool facingRight = false;
    std::int32_t floorY = 0;  // y of the current level's bottom floor
};

}  // namespace kipkip
