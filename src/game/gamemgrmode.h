// game/gamemgrmode.h
// The root of the mode chain: it keeps the game's main mode running as its child, creating a
// new one whenever there is none. It never draws or presents itself.
#pragma once

#include <functional>
#include <memory>

#include "game/gamemode.h"

namespace kipkip {

class TGameMgrMode : public TGameMode {
public:
    using MainModeFactory = std::function<std::unique_ptr<TGameMode>(
        TGameMode* parent, std::int32_t userValue, TKernel* kernel)>;

    // The main mode comes from `factory`; by default the game's own main mode.
    TGameMgrMode(TGameMode* parent, std::int32_t userValue, TKernel* kernel,
                 MainModeFactory factory = MainMode);

    void Enter() override;
    void Update(int ms) override;
    void Leave() override;

    // The game's main mode.
    static std::unique_ptr<TGameMode> MainMode(TGameMode* parent, std::int32_t userValue,
                                               TKernel* kernel);

private:
    MainModeFactory factory;
};

}  // namespace kipkip
