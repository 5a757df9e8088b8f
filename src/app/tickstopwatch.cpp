#include "app/tickstopwatch.h"

namespace kipkip {

void TickStopwatch::BeforeTick(std::uint64_t)
{
    started_ = std::chrono::steady_clock::now();
}

bool TickStopwatch::AfterTick(std::uint64_t)
{
    std::chrono::duration<double, std::micro> took = std::chrono::steady_clock::now() - started_;
    microseconds_.push_back(took.count());
    return true;
}

}  // namespace kipkip
