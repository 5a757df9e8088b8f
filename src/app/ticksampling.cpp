#include "app/ticksampling.h"

#include "replay/tickinput.h"

namespace kipkip {

void TickSampling::BeforeTick(std::uint64_t)
{
    input_.BeginTick();
}

}  // namespace kipkip
