#include "game/gamemode.h"

#include "kernel/clocksum.h"
#include "kernel/kernel.h"

namespace kipkip {

TGameMode::TGameMode(TGameMode* parent, std::int32_t userValue, TKernel* kernel)
    : parent(parent), kernel(kernel), userValue(userValue)
{}

TGameMode::~TGameMode() = default;

void TGameMode::Draw()
{
    presents = false;
}

void TGameMode::Enter()
{
    entered = true;
}

void TGameMode::Update(int) {}

void TGameMode::Leave() {}

void TGameMode::OnSpare() {}

void TGameMode::CreateChild()
{
    child = std::make_unique<TGameMode>(this, userValue, kernel);
}

void TGameMode::DestroyChild()
{
    child.reset();
}

bool TGameMode::IsBlinkOn(std::int32_t period)
{
    return elapsed % (2 * period) < period;
}

std::int32_t TGameMode::CycleIndex(std::int32_t interval, std::int32_t count)
{
    return (elapsed / interval) % count;
}

void TGameMode::Step(int ms)
{
    if (child) {
        child->Step(ms);
        if (child->IsFinished()) {
            DestroyChild();
        }
        return;
    }
    if (!entered) {
        Enter();
    }
    Update(ms);
    Draw();
    if (presents) {
        kernel->Present();
    }
    if (finished) {
        Leave();
    }
    elapsed = ClockSum(elapsed, ms);
    frames = ClockSum(frames, 1);
}

void TGameMode::Paint()
{
    if (child) {
        child->Paint();
        return;
    }
    Draw();
    if (presents) {
        kernel->Present();
    }
}

bool TGameMode::IsFinished()
{
    return finished;
}

TKernel* TGameMode::GetKernel()
{
    return kernel;
}

}  // namespace kipkip
