#include "app/loadingsynth.h"

#include <utility>

namespace kipkip {

LoadingSynth::LoadingSynth(MidiOut& synth, AudioPath::Synth render, AudioPath& path)
    : synth_(synth), render_(std::move(render)), path_(path)
{
    path_.HoldMusic(true);
    loading_ = std::async(std::launch::async, [this] { Load(); });
}

LoadingSynth::~LoadingSynth()
{
    WaitFor(loading_);
    WaitFor(preparing_);
}

void LoadingSynth::WaitFor(std::future<void>& work)
{
    if (work.valid()) {
        work.wait();
    }
}

void LoadingSynth::LoadNow()
{
    WaitFor(loading_);
    std::lock_guard lock(mutex_);
    inStep_ = true;
}

// The synthesiser joins the path only once it has loaded, with the presets of a song started
// meanwhile: the audio thread never waits on the load.
void LoadingSynth::Load()
{
    const bool loaded = synth_.Open();
    std::unique_lock lock(mutex_);
    if (loaded) {
        PrepareNewest(lock);
        path_.SetSynth(render_);
    }
    state_ = loaded ? State::Loaded : State::Failed;
    path_.HoldMusic(false);
}

void LoadingSynth::Prepare(std::span<const MidiPreset> presets)
{
    WaitFor(preparing_);
    std::unique_lock lock(mutex_);
    presets_.assign(presets.begin(), presets.end());
    if (state_ != State::Loaded || presets_ == prepared_) {
        return;  // still loading: the load prepares them; failed: nothing to prepare
    }
    if (inStep_) {
        PrepareNewest(lock);
        return;
    }
    path_.HoldMusic(true);
    preparing_ = std::async(std::launch::async, [this] { PrepareBeside(); });
}

// The sequencer's caller holds the sequencer's lock, which a pass of the audio thread may be
// waiting for inside the path's lock: so the synthesiser leaves the path here, not there.
void LoadingSynth::PrepareBeside()
{
    path_.SetSynth(nullptr);
    std::unique_lock lock(mutex_);
    PrepareNewest(lock);
    path_.SetSynth(render_);
    path_.HoldMusic(false);
}

// The samples load outside the lock, so that a game handing over a new song's presets meanwhile
// never waits for them; the newest presets are loaded before this returns.
void LoadingSynth::PrepareNewest(std::unique_lock<std::mutex>& lock)
{
    while (prepared_ != presets_) {
        std::vector<MidiPreset> presets = presets_;
        lock.unlock();
        synth_.Prepare(presets);
        lock.lock();
        prepared_ = std::move(presets);
    }
}

}  // namespace kipkip
