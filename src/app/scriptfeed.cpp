#include "app/scriptfeed.h"

#include "app/runclock.h"
#include "replay/scriptedinput.h"

namespace kipkip {

void ScriptFeed::BeforeTick(std::uint64_t tick)
{
    const std::uint64_t scriptTick = count_ == Count::LoopTicks ? tick : clock_.NextGameTick();
    input_.SetTick(static_cast<std::uint32_t>(scriptTick));
}

}  // namespace kipkip
