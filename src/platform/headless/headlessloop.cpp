#include "platform/headless/headlessloop.h"

#include "platform/fatalerror.h"

namespace kipkip {

void HeadlessLoop::Run(LoopListener& listener)
{
    for (std::uint64_t tick = 1; timerId_ != 0 && !ShutdownRequested(); ++tick) {
        listener.BeforeTick(tick);
        now_ += intervalMs_;
        onExpiry_();
        if (!listener.AfterTick(tick)) {
            return;
        }
    }
}

bool HeadlessLoop::Present(const FrameView&)
{
    ++presents_;
    return true;
}

std::uint32_t HeadlessLoop::CreatePeriodic(std::uint32_t intervalMs, std::function<void()> onExpiry)
{
    timerId_ = nextTimerId_++;
    intervalMs_ = intervalMs;
    onExpiry_ = std::move(onExpiry);
    return timerId_;
}

void HeadlessLoop::Kill(std::uint32_t id)
{
    if (id == timerId_) {
        timerId_ = 0;
        onExpiry_ = nullptr;
    }
}

}  // namespace kipkip
