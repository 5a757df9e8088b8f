#include "game/gamemgrmode.h"

#include "game/gamemain.h"

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
    return std::make_unique<TGameMainMode>(parent, userValue, kernel);
}

}  // namespace kipkip
