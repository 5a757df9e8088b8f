// game/toyenemy.h
// A falling enemy. It falls at a constant 100 pixels per second; when its centre point lies
// in the hero's hit rectangle it knocks the hero down, stops and vanishes. An enemy hits at
// most once, and removes itself when its vanishing has ended or when it has fallen far below
// the screen. It owns its animator, which is also its shape.
#pragma once

#include "toy/toyactor.h"
#include "toy/toyanimator.h"

namespace kipkip {

class TToyEnemy : public TToyActor {
public:
    static constexpr float kFallSpeed = 100.0f;
    static constexpr int kGoneScreenY = 400;  // 220 pixels below the hero's feet

    // Class word "Enemy", name "敵", spinning, at the centre (x, y).
    TToyEnemy(TToyBox* box, int x, int y);

    void Act(int elapsed) override;
    // Touching an enemy does nothing: the enemy does the hitting.
    void OnTouched(TToyActor* other) override;

    TToyAnimator animator;  // owned; also `shape`
    bool hit = false;
};

}  // namespace kipkip
