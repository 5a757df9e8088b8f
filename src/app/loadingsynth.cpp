#include "app/loadingsynth.h"

#include <utility>

namespace kipkip {

LoadingSynth::LoadingSynth(MidiOut& synth, AudioPath::Synth render, AudioPath& path)
    : synth_(synth), path_(path)
{
    path_.HoldMusic(true);
    loading_ = std::async(std::launch::async,
                          [this, render = std::move(render)] { Load(std::move(render)); });
}

LoadingSynth::~LoadingSynth()
{
    Wait();
}

void LoadingSynth::Wait()
{
    if (loading_.valid()) {
        loading_.wait();
    }
}

// The synthesiser joins the path only once it has loaded: the audio thread never waits on the
// load.
void LoadingSynth::Load(AudioPath::Synth render)
{
    const bool loaded = synth_.Open();
    if (loaded) {
        path_.SetSynth(std::move(render));
    }
    state_ = loaded ? State::Loaded : State::Failed;
    path_.HoldMusic(false);
}

}  // namespace kipkip
