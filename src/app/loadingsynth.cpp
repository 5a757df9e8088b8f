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
    std::lock_guard lock(mutex_);
    if (loaded) {
        synth_.Prepare(presets_);
        path_.SetSynth(render_);
    }
    state_ = loaded ? State::Loaded : State::Failed;
    path_.HoldMusic(false);
}

void LoadingSynth::Prepare(std::span<const MidiPreset> presets)
{
    WaitFor(preparing_);
    std::lock_guard lock(mutex_);
    presets_.assign(presets.begin(), presets.end());
    if (state_ != State::Loaded) {
        return;  // still loading: the load prepares them; failed: nothing to prepare
    }
    if (inStep_) {
        synth_.Prepare(presets_);
        return;
    }
    path_.HoldMusic(true);
    preparing_ = std::async(std::launch::async, [this] { PrepareBeside(); });
}

// The sequencer's caller holds the sequencer's lock, which a pass of the audio thread may be
// waiting for inside the path's lock: so the synthesiser leaves the path here, not there.
void LoadingSynth::PrepareBeside()
{
    std::lock_guard lock(mutex_);
    path_.SetSynth(nullptr);
    synth_.Prepare(presets_);
    path_.SetSynth(render_);
    path_.HoldMusic(false);
}

}  // namespace kipkip
