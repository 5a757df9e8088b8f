// device/audiopath.h
// Everything the game sounds, on its one output: the music and the sound effects. The output is
// cut at 10 ms boundaries (441 frames at 44100 Hz); before each 10 ms the music sequencer runs
// one pass, which sends the events that fell due, then the synthesiser renders the frames up to
// the next boundary, and the sound effects are added onto the music with one clip. Counting
// frames instead of reading a clock keeps the music's timing sample-exact whatever the size of
// the buffers the device asks for, and a headless run renders the very same samples.
//
// The music and the effects each have a volume from 0 to 100, on a squared curve that follows
// the ear (50 is a quarter of the amplitude, -12 dB; 100 leaves the sound as it is). Switched
// off, the music still plays on unheard, so that it comes back where it would have been.
//
// While the game is held (its menu open) the game's sound stands still: no passes, no pass
// clock, no synthesiser, no effects, so that on release the song and every sound effect go on
// from where they stood. The overlay's own mixer (the menu's sounds) is heard held or not, at
// the effects volume.
//
// The audio thread calls Fill while the game thread attaches and detaches the sequencer, so the
// music's parts and the overlay sit behind one mutex, held for one Fill. Fill allocates nothing
// once warm. The volumes and the holds may be set from any thread; a Fill sees a hold from its
// start to its end.
#pragma once

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <mutex>
#include <span>

#include "platform/ports.h"

namespace kipkip {

class SoundMixer;

class AudioPath : public AudioSource {
public:
    static constexpr std::size_t kPassFrames = 441;
    static constexpr std::uint32_t kPassMs = 10;

    // One pass of the sequencer.
    using Pass = std::function<void()>;
    // Renders size() / 2 frames of the synthesiser into an interleaved stereo buffer.
    using Synth = std::function<void(std::span<std::int16_t>)>;

    // The mixer must outlive the path.
    explicit AudioPath(SoundMixer& effects);

    // Either may be empty: no sequencer runs no passes' events, no synthesiser renders silence.
    void SetSequencer(Pass pass);
    void SetSynth(Synth synth);
    // While the music is held (its synthesiser still loading) the sequencer runs no passes: a
    // song started meanwhile waits at its beginning, and starts from there, every program
    // change with it, once the hold ends. The pass clock goes on.
    void HoldMusic(bool held) { musicHeld_ = held; }
    // While the game is held, Fill renders the overlay alone and Advance does nothing: the
    // sequencer runs no passes and its clock stops, the synthesiser is not asked for frames, and
    // the effects' copies keep their positions.
    void HoldGame(bool held) { gameHeld_ = held; }
    bool GameHeld() const { return gameHeld_; }
    // The sounds heard over the game's, held or not. The mixer must outlive the path.
    void SetOverlay(SoundMixer& overlay);

    // Fills out (out.size() / 2 frames) with the music and the effects, running a pass at each
    // 10 ms boundary it reaches, the first one before the first frame.
    void Fill(std::span<std::int16_t> out);
    // The sound output pulls the same as Fill.
    void Pull(std::span<std::int16_t> out) override { Fill(out); }
    // Runs the passes of `frames` frames without rendering anything or pulling the effects: a
    // headless run whose sound nobody keeps still moves the music on.
    void Advance(std::size_t frames);

    // Volumes out of range are held to 0..100.
    void SetMusicVolume(int volume) { musicGain_ = GainOf(volume); }
    void SetEffectsVolume(int volume) { effectsGain_ = GainOf(volume); }
    void SetMusicOn(bool on) { musicOn_ = on; }
    bool MusicOn() const { return musicOn_; }

    // The time of the pass that runs now, or of the next one between passes, in milliseconds
    // from the first frame: what a message sent now is heard with.
    std::uint64_t PassClockMs() const { return passes_.load() * kPassMs; }

private:
    static std::int32_t GainOf(int volume);
    void ScaleMusic(std::span<std::int16_t> piece) const;
    void RenderGame(std::span<std::int16_t> out);

    // The passes due over `frames` frames, with `render` (may be empty) called on each piece
    // between them; the caller holds the lock.
    template <typename Render>
    void Run(std::size_t frames, Render render);

    SoundMixer& effects_;
    std::mutex mutex_;
    SoundMixer* overlay_ = nullptr;
    Pass pass_;
    Synth synth_;
    std::size_t framesToPass_ = 0;  // frames left before the next boundary
    std::atomic<std::uint64_t> passes_{0};
    std::atomic<std::int32_t> musicGain_;
    std::atomic<std::int32_t> effectsGain_;
    std::atomic<bool> musicOn_{true};
    std::atomic<bool> musicHeld_{false};
    std::atomic<bool> gameHeld_{false};
};

}  // namespace kipkip
