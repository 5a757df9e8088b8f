// platform/headless/headlessloop.h
// The frame loop without a window: the periodic timer's ticks run back to back as fast as the
// machine allows, the clock is the ticks' own time, and frames are kept rather than shown.
#pragma once

#include <cstdint>
#include <functional>

#include "platform/frameloop.h"

namespace kipkip {

class HeadlessLoop : public FrameLoop {
public:
    // Runs until the listener says stop or a fatal error asks the program to end (the tick in
    // which it was reported still finishes); at once when no timer runs.
    void Run(LoopListener& listener) override;

    bool Present(const FrameView& frame) override;
    void SetFullScreen(bool) override {}
    std::uint32_t CreatePeriodic(std::uint32_t intervalMs, std::function<void()> onExpiry) override;
    void Kill(std::uint32_t id) override;
    std::uint32_t NowMs() override { return now_; }

    std::uint64_t Presents() const { return presents_; }

private:
    std::uint32_t timerId_ = 0;
    std::uint32_t nextTimerId_ = 1;
    std::uint32_t intervalMs_ = 0;
    std::function<void()> onExpiry_;
    std::uint32_t now_ = 0;
    std::uint64_t presents_ = 0;
};

}  // namespace kipkip
