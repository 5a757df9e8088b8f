#include "game/toyenemy.h"

#include <string>

#include "game/gamenames.h"
#include "game/toykipkip.h"
#include "toy/toybox.h"

namespace kipkip {

TToyEnemy::TToyEnemy(TToyBox* box, int x, int y)
    : TToyActor(box, std::string(gamenames::kClassEnemy), std::string(gamenames::kEnemy), {}, {},
                static_cast<float>(x), static_cast<float>(y), 0.0f),
      animator(box, gamenames::kEnemy)
{
    shape = &animator;
    animator.Play(gamenames::kAnimeSpin, true);
    velocity.y = kFallSpeed;
    hit = false;
    Show();
}

void TToyEnemy::Act(int elapsed)
{
    TToyKipKip* hero = nullptr;
    if (box != nullptr) {
        hero =
            dynamic_cast<TToyKipKip*>(box->FindObject(gamenames::kClassKipKip, gamenames::kKipKip));
    }
    // Only the centre point counts, and an enemy hits at most once.
    if (hero != nullptr && !hit &&
        hero->HitPoint(TruncateCoordinate(position.x), TruncateCoordinate(position.y))) {
        hero->Knock();
        animator.Play(gamenames::kAnimeVanish, false);
        velocity.y = 0.0f;
        hit = true;
    }
    if (!animator.playing) {
        Kill();
    }
    if (screenY >= kGoneScreenY) {
        Kill();
    }
    animator.Update(elapsed);
}

void TToyEnemy::OnTouched(TToyActor*) {}

}  // namespace kipkip
