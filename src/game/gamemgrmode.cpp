#include "game/gamemgrmode.h"

namespace kipkip {

TGameMgrMode::TGameMgrMode(TGameMode* parent, std::int32_t userValue, TKernel* kernel,
                           MainModeFactory factory)
    : TGameMode(parent, userValue, kernel), factory(std::move(factory))
{}

void TGameMgrMode::Enter()
{
    state = 0;
    TGameMode::Enter();
}

void TGameMgrMode::Update(int)
{
    if (state == 0) {
        child = factory(this, 0, kernel);
    }
}

void TGameMgrMode::Leave() {}

std::unique_ptr<TGameMode> TGameMgrMode::MainMode(TGameMode* parent, std::int32_t userValue,
                                                  TKernel* kernel)
{
    // The game's screens are not built yet: an empty mode that never presents stands in.
    return std::make_unique<TGameMode>(parent, userValue, kernel);
}

}  // namespace kipkip
