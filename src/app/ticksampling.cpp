#include "app/ticksampling.h"

#include "replay/tickinput.h"

namespace kipkip {

void TickSampling::BeforeTick(std::uint64_t)
{
    for (TickInput* input : inputs_) {
        input->BeginTick();
    }
}

}  // namespace kipkip
