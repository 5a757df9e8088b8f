#include "app/recordwatch.h"

#include <algorithm>
#include <memory>

#include "game/gamemain.h"

namespace kipkip {

RecordWatch::RecordWatch(ReplayFile recording, Ports ports, std::uint64_t catchUpTicks)
    : recording_(std::move(recording)),
      catchUpTicks_(std::max<std::uint64_t>(catchUpTicks, 1)),
      end_(recording_.seeds.empty() ? 0 : recording_.LastTick()),
      input_(recording_.script),
      feed_(input_, clock_, ScriptFeed::Count::GameTicks),
      host_(recording_, clock_),
      form_({screen_, ports.bitmaps, ports.fonts, input_, loop_, mixer_, midiOut_, true,
             recording_.keys.value_or(TMainForm::kDefaultKeys), &clock_,
             recording_.pad.value_or(kDefaultPadBinding)},
            TMainForm::MainModeWith(host_))
{}

std::uint64_t RecordWatch::StartTick() const
{
    return recording_.seeds.empty() ? 0 : recording_.seeds.back().first;
}

bool RecordWatch::Step()
{
    const std::uint64_t before = clock_.GameTick();
    if (before >= end_) {
        return false;
    }
    target_ = CatchingUp() ? std::min(StartTick() - 1, before + catchUpTicks_) : before + 1;
    loop_.Run(*this);
    return clock_.GameTick() > before && clock_.GameTick() < end_;
}

// The watch's loop ticks are its game ticks: nothing holds its game.
void RecordWatch::BeforeTick(std::uint64_t)
{
    clock_.BeforeTick(clock_.NextGameTick());
    feed_.BeforeTick(clock_.LoopTick());
}

bool RecordWatch::AfterTick(std::uint64_t)
{
    if (seen_) {
        seen_();
    }
    return clock_.GameTick() < target_;
}

}  // namespace kipkip
