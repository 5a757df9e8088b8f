#include "app/gatedtimer.h"

namespace kipkip {

std::uint32_t GatedTimer::CreatePeriodic(std::uint32_t intervalMs, std::function<void()> onExpiry)
{
    return service_.CreatePeriodic(intervalMs, [this, onExpiry = std::move(onExpiry)] {
        if (!held_()) {
            onExpiry();
        }
    });
}

}  // namespace kipkip
