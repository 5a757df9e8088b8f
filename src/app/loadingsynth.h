// app/loadingsynth.h
// The synthesiser as the music sees it while its SoundFont loads on a thread of its own, so
// that the load never delays the window's first frame. It opens at once (unless the load has
// already failed) and drops what is sent before the load ends; meanwhile the audio path holds
// the music, and once the load has ended well the synthesiser joins the path and the hold ends,
// so a song started early begins then, from its start. A failed load releases the hold too:
// the music then moves on unheard.
#pragma once

#include <atomic>
#include <future>

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

    // Until the load has ended (and the synthesiser, if it loaded, has joined the path).
    void Wait();
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

private:
    enum class State { Loading, Loaded, Failed };

    void Load(AudioPath::Synth render);

    MidiOut& synth_;
    AudioPath& path_;
    std::atomic<State> state_{State::Loading};
    std::future<void> loading_;
};

}  // namespace kipkip
