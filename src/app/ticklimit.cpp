#include "app/ticklimit.h"

#include "app/runclock.h"

namespace kipkip {

bool TickLimit::AfterTick(std::uint64_t tick)
{
    const bool loopOver = loopTicks_ != 0 && tick >= loopTicks_;
    const bool gameOver = gameTicks_ != 0 && clock_.GameTick() >= gameTicks_;
    return !loopOver && !gameOver;
}

}  // namespace kipkip
