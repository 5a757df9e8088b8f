// app/loadingsynth.h
// The synthesiser as the music sees it while its SoundFont loads on a thread of its own, so
// that the load never delays the window's first frame. It opens at once (unless the load has
// already failed) and drops what is sent before the load ends; meanwhile the audio path holds
// the music, and once the load has ended well the synthesiser joins the path and the hold ends,
// so a song started early begins then, from its start. A failed load releases the hold too:
// the music then moves on unheard.
//
// A song's presets (Prepare) load the same way: on a thread of their own, with the music held
// and the synthesiser out of the path meanwhile, so that neither the game nor the audio thread
// waits for samples to load. A song whose presets are those loaded last starts at once.
#pragma once

#include <atomic>
#include <future>
#include <mutex>
#include <vector>

#include "device/audiopath.h"
#include "platform/ports.h"

namespace kipkip {

class LoadingSynth : public MidiOut {
public:
    // Starts loading: `synth`'s Open is the load, `render` its sound. Both and the path must
    // outlive this.
    LoadingSynth(MidiOut& synth, AudioPath::Synth render, AudioPath& path);
    ~LoadingSynth() override;
    LoadingSynth(const LoadingSynth&) = delete;
    LoadingSynth& operator=(const LoadingSynth&) = delete;

    // Waits until the load has ended (and the synthesiser, if it loaded, has joined the path).
    // From then on a song's presets load before Prepare returns, so that a run's sound is the
    // same every time.
    void LoadNow();
    bool Failed() const { return state_ == State::Failed; }

    bool Open() override { return !Failed(); }
    void Close() override { synth_.Close(); }
    void Short(std::uint32_t message) override { synth_.Short(message); }
    // Before the load has ended there is nothing to be ready: the message is dropped, not
    // retried.
    bool Long(std::span<const std::uint8_t> bytes) override
    {
        return synth_.Long(bytes) || state_ != State::Loaded;
    }
    void Reset() override { synth_.Reset(); }
    void Prepare(std::span<const MidiPreset> presets) override;

private:
    enum class State { Loading, Loaded, Failed };

    void Load();
    void PrepareBeside();
    void PrepareNewest(std::unique_lock<std::mutex>& lock);
    void WaitFor(std::future<void>& work);

    MidiOut& synth_;
    AudioPath::Synth render_;
    AudioPath& path_;
    std::atomic<State> state_{State::Loading};
    bool inStep_ = false;
    std::mutex mutex_;                  // the presets and the joining of the path
    std::vector<MidiPreset> presets_;   // the newest song's, to load once the SoundFont is there
    std::vector<MidiPreset> prepared_;  // the last loaded
    std::future<void> loading_;
    std::future<void> preparing_;
};

}  // namespace kipkip
