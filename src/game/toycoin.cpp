#include "game/toycoin.h"

#include <string>

#include "game/gamenames.h"
#include "game/timebank.h"
#include "game/toykipkip.h"
#include "game/toyplat.h"
#include "toy/toybox.h"

namespace kipkip {

namespace {

constexpr int kPlusLeft = 10;  // "+5" starts this far left of the coin's centre
constexpr int kPlusUp = 32;    // and this far above it
constexpr int kAbovePlatform = 16;

}  // namespace

TToyCoin::TToyCoin(TToyBox* box, TToyPlat* platform, TimeBank* mode)
    : TToyActor(box, std::string(gamenames::kClassCoin), std::string(gamenames::kCoin), {}, {},
                0.0f, 0.0f, 0.0f),
      animator(box, gamenames::kCoin),
      platform(platform),
      mode(mode)
{
    shape = &animator;
    animator.Play(gamenames::kAnimeSpin, true);
    taken = 0;
    showTime = 0;
    showPlus = false;
    Show();
}

void TToyCoin::Draw(int originX, int originY)
{
    if (showPlus && box != nullptr) {
        box->TextOut(screenX - kPlusLeft, screenY - kPlusUp, gamenames::kCoinPlus);
    }
    TToyActor::Draw(originX, originY);
}

void TToyCoin::Act(int elapsed)
{
    TToyKipKip* hero = nullptr;
    if (box != nullptr) {
        hero =
            dynamic_cast<TToyKipKip*>(box->FindObject(gamenames::kClassKipKip, gamenames::kKipKip));
    }
    // Centred on the platform's top edge, so the coin rides and wraps with it.
    if (platform != nullptr) {
        position.x = static_cast<float>(platform->x + platform->width * 0.5);
        position.y = static_cast<float>(platform->y - kAbovePlatform);
    }
    if (taken == 0) {
        if (hero != nullptr && hero->HitTest(*this)) {
            if (mode != nullptr) {
                mode->AddTime(kSeconds);
            }
            animator.Play(gamenames::kAnimeVanish, false);
            if (box != nullptr) {
                box->PlaySound(gamenames::kSoundTake);
            }
            showTime = kShowTime;
            taken = 1;
        }
    } else if (taken == 1) {
        // Taken: worth nothing more, shown as "+5" until the time is up.
        showPlus = true;
        showTime -= elapsed;
        if (showTime <= 0) {
            showPlus = false;
            Kill();
        }
    }
    animator.Update(elapsed);
}

void TToyCoin::OnTouched(TToyActor*) {}

}  // namespace kipkip
