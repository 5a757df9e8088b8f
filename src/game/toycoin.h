// game/toycoin.h
// A coin sitting in the middle of a platform, riding and wrapping with it. Touched by the
// hero it credits five seconds once, plays the take sound and its vanishing animation, shows
// "+5" above itself for a second and then removes itself. A coin reads its platform every
// tick, so the game deletes coins together with their platforms. It owns its animator, which
// is also its shape.
#pragma once

#include <cstdint>

#include "toy/toyactor.h"
#include "toy/toyanimator.h"

namespace kipkip {

class TimeBank;
class TToyPlat;

class TToyCoin : public TToyActor {
public:
    static constexpr std::int32_t kSeconds = 5;
    static constexpr std::int32_t kShowTime = 1000;  // milliseconds of "+5"

    // Class word "Coin", name "コイン", spinning; placed on `platform` by its first Act.
    TToyCoin(TToyBox* box, TToyPlat* platform, TimeBank* mode);

    // "+5" above the coin's previous screen position while it shows, then the coin itself.
    void Draw(int originX, int originY) override;
    void Act(int elapsed) override;
    // Touching a coin does nothing here: the coin tests the hero itself.
    void OnTouched(TToyActor* other) override;

    TToyAnimator animator;         // owned; also `shape`
    TToyPlat* platform = nullptr;  // not owned: deleted with the coin, never before it
    TimeBank* mode = nullptr;      // not owned: the main mode, credited when taken
    std::int32_t taken = 0;        // 0 waiting, 1 taken
    std::int32_t showTime = 0;     // milliseconds of "+5" left
    bool showPlus = false;
};

}  // namespace kipkip
