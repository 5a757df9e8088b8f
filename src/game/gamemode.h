// game/gamemode.h
// A game mode: a state machine stepped once per tick and asked to repaint. A mode may own one
// active child; while it has one, every step and paint go to the child and the mode itself
// does nothing. A child that declares itself finished is destroyed by its parent right after
// the step in which it finished.
#pragma once

#include <cstdint>
#include <memory>

namespace kipkip {

class TKernel;

class TGameMode {
public:
    TGameMode(TGameMode* parent, std::int32_t userValue, TKernel* kernel);
    virtual ~TGameMode();
    TGameMode(const TGameMode&) = delete;
    TGameMode& operator=(const TGameMode&) = delete;

    // A mode that does not draw does not present.
    virtual void Draw();
    virtual void Enter();
    virtual void Update(int ms);
    virtual void Leave();
    virtual void OnSpare();
    virtual void CreateChild();
    virtual void DestroyChild();
    // Periods and intervals must not be 0.
    virtual bool IsBlinkOn(std::int32_t period);
    virtual std::int32_t CycleIndex(std::int32_t interval, std::int32_t count);
    virtual void Step(int ms);
    virtual void Paint();
    virtual bool IsFinished();
    virtual TKernel* GetKernel();

    TGameMode* parent;
    std::unique_ptr<TGameMode> child;
    TKernel* kernel;
    std::int32_t userValue;
    bool entered = false;
    bool finished = false;
    bool presents = true;
    std::int32_t elapsed = 0;
    std::int32_t frames = 0;
    std::int32_t state = 0;
};

}  // namespace kipkip
