#include "game/toykipkip.h"

#include <algorithm>
#include <cmath>
#include <utility>
#include <vector>

#include "game/gamenames.h"
#include "kernel/kernel.h"
#include "toy/toybox.h"

namespace kipkip {

namespace {

constexpr float kLeftEdge = 16.0f;
constexpr float kRightEdge = 304.0f;
constexpr float kStopSpeed = 10.0f;               // slower than this, braking stops him dead
constexpr double kBackgroundFactor = 0.00390625;  // 1/256 of the climb

}  // namespace

TToyKipKip::TToyKipKip(TToyBox* box, std::string name)
    : TToyActor(box, std::string(gamenames::kClassKipKip), std::move(name), {}, {}, 0.0f, 0.0f,
                0.0f),
      animator(box, gamenames::kKipKip)
{
    shape = &animator;
    Reset();
}

void TToyKipKip::Act(int elapsed)
{
    CheckSupport();
    Steer();
    if (hurt) {
        hurtTime -= elapsed;
        if (hurtTime <= 0) {
            hurtTime = 0;
            hurt = false;
        }
    }
    if (box != nullptr) {
        // The background moves 1/256 of the climb and stops where its picture ends; the world
        // moves so that the feet stay at the same height on the screen.
        int backgroundY = TruncateCoordinate(
            static_cast<float>(-static_cast<double>(position.y) * kBackgroundFactor));
        box->SetLayerPos(gamenames::kLayerBackground, 0, std::min(backgroundY, kMaxBackgroundY));
        // The difference is exact in double and truncated as it is.
        box->SetLayerPos("", 0, TruncateCoordinate(kFeetFromTop - static_cast<double>(position.y)));
    }
    animator.Update(elapsed);
}

void TToyKipKip::Reset()
{
    position.x = 100.0f;
    position.y = 0.0f;
    Show();
    airborne = false;
    idle = false;
    facingRight = false;
    animator.Play(gamenames::kAnimeFaceLeft, true);
    hurt = false;
    hurtTime = 0;
    floorY = 0;
}

void TToyKipKip::CheckSupport()
{
    if (hurt || !FindSupport()) {
        acceleration.y = kGravity;
        airborne = true;
        // The bottom floor always holds: falling costs height and time, never the game.
        if (static_cast<float>(floorY) < position.y) {
            position.y = static_cast<float>(floorY);
            velocity.y = 0.0f;
            acceleration.y = 0.0f;
            hurtTime = 0;
            hurt = false;
            airborne = false;
            idle = true;
        }
        return;
    }
    velocity.y = 0.0f;
    acceleration.y = 0.0f;
    if (airborne) {
        airborne = false;
        idle = true;
        animator.Play(facingRight ? gamenames::kAnimeFaceRight : gamenames::kAnimeFaceLeft, true);
    }
}

bool TToyKipKip::FindSupport()
{
    // Rising, he passes platforms from below.
    if (velocity.y < 0.0f || box == nullptr) {
        return false;
    }
    int px = TruncateCoordinate(position.x);
    int py = TruncateCoordinate(position.y);
    std::vector<TToyObject*> platforms;
    box->SelectObjects(platforms, gamenames::kClassPlat, "", "");
    for (TToyObject* object : platforms) {
        auto* platform = dynamic_cast<TToyActor*>(object);
        if (platform == nullptr || !platform->HitPoint(px, py)) {
            continue;
        }
        platform->OnTouched(this);
        position.y = platform->GetPosition().y;
        return true;
    }
    return false;
}

void TToyKipKip::Steer()
{
    std::uint16_t held = 0;
    std::uint16_t pressed = 0;
    if (box != nullptr && box->kernel != nullptr) {
        held = box->kernel->held;
        pressed = box->kernel->pressed;
    }
    position.x = std::clamp(position.x, kLeftEdge, kRightEdge);
    velocity.y = std::min(velocity.y, kMaxFallSpeed);

    bool left = (held & BitLeft) != 0;
    bool right = (held & BitRight) != 0;
    if (left) {
        if (!airborne) {
            velocity.x = -kWalkSpeed;
            acceleration.x = 0.0f;
            if (facingRight || idle) {
                animator.Play(gamenames::kAnimeWalkLeft, true);
                facingRight = false;
            }
            idle = false;
        } else if (acceleration.x > 0.0f) {
            // Holding the direction of travel cancels the air drag.
            acceleration.x = 0.0f;
        }
    }
    // Tested after and independently of left: with both held he walks right.
    if (right) {
        if (!airborne) {
            velocity.x = kWalkSpeed;
            acceleration.x = 0.0f;
            if (!facingRight || idle) {
                animator.Play(gamenames::kAnimeWalkRight, true);
                facingRight = true;
            }
            idle = false;
        } else if (acceleration.x < 0.0f) {
            acceleration.x = 0.0f;
        }
    }
    if (!left && !right) {
        float braking = airborne ? kAirBraking : kGroundBraking;
        if (!airborne) {
            animator.Play(facingRight ? gamenames::kAnimeFaceRight : gamenames::kAnimeFaceLeft,
                          false);
            idle = true;
        }
        // A speed that is not a number counts as stopped, as its truncation does.
        float whole = std::trunc(velocity.x);
        if (!(std::fabs(whole) >= kStopSpeed)) {
            velocity.x = 0.0f;
            acceleration.x = 0.0f;
        } else if (velocity.x > 0.0f) {
            acceleration.x = -braking;
        } else {
            acceleration.x = braking;
        }
    }

    // In the air only while not moving up or down: right after a knock, or in the one tick
    // that ends exactly at the top of an arc.
    if ((pressed & BitButton1) != 0 && (!airborne || velocity.y == 0.0f)) {
        velocity.y = -kJumpSpeed;
        airborne = true;
        animator.Play(facingRight ? gamenames::kAnimeJumpRight : gamenames::kAnimeJumpLeft, true);
        if (box != nullptr) {
            box->PlaySound(gamenames::kSoundJump);
        }
    }
}

void TToyKipKip::Knock()
{
    hurt = true;
    hurtTime = kHurtTime;
    velocity.y = 0.0f;
    acceleration.y = 0.0f;
    animator.Play(facingRight ? gamenames::kAnimeFallRight : gamenames::kAnimeFallLeft, true);
    if (box != nullptr) {
        box->PlaySound(gamenames::kSoundFall);
    }
}

}  // namespace kipkip
