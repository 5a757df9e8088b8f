#include "app/loopfanout.h"

namespace kipkip {

void LoopFanOut::Paint()
{
    for (LoopListener* listener : listeners_) {
        listener->Paint();
    }
}

void LoopFanOut::BeforeTick(std::uint64_t tick)
{
    for (LoopListener* listener : listeners_) {
        listener->BeforeTick(tick);
    }
}

bool LoopFanOut::AfterTick(std::uint64_t tick)
{
    bool goOn = true;
    for (LoopListener* listener : listeners_) {
        goOn = listener->AfterTick(tick) && goOn;
    }
    return goOn;
}

void LoopFanOut::SaveScreenshot()
{
    for (LoopListener* listener : listeners_) {
        listener->SaveScreenshot();
    }
}

}  // namespace kipkip
