// platform/fluidsynth/fluidmidiout.h
// The music's synthesiser: FluidSynth used as a bare General MIDI synthesiser, with no audio
// driver of its own. The sequencer's messages go in through the MidiOut port; the sound comes
// out of Render, which the audio path calls right after each 10 ms pass of the sequencer, so the
// music keeps the passes' exact timing on the one audio device the sound effects share.
//
// Render runs on the audio thread while the game thread may reset the output (Stop) or open and
// close it, so the synthesiser sits behind one mutex; no call holds it longer than one Render.
#pragma once

#include <cstdint>
#include <mutex>
#include <span>
#include <string>
#include <string_view>

#include "platform/ports.h"

// FluidSynth's own types, named here so that only our .cpp includes its header.
struct _fluid_hashtable_t;
struct _fluid_synth_t;

namespace kipkip {

class FluidMidiOut : public MidiOut {
public:
    // The output format: that of the sound-effect mixer and of the SDL device.
    static constexpr int kRate = 44100;
    // FluidSynth's default gain (0.2) left the music far under the sound effects.
    static constexpr double kGain = 0.4;

    // `soundFont` is the file Open loads; empty means there is none and Open fails.
    explicit FluidMidiOut(std::string soundFont) : soundFont_(std::move(soundFont)) {}
    ~FluidMidiOut() override;
    FluidMidiOut(const FluidMidiOut&) = delete;
    FluidMidiOut& operator=(const FluidMidiOut&) = delete;

    // The SoundFont to use: `option` (--soundfont) when given, else the environment variable
    // KIPKIP_SOUNDFONT when set, else the first of Debian's General MIDI fonts that FluidSynth
    // recognises (FluidR3 before TimGM6mb). Empty when there is none. A path the player named is
    // taken as it is, so that a wrong one fails instead of quietly playing another font.
    static std::string ChooseSoundFont(std::string_view option);

    // Starts the synthesiser and loads the SoundFont; false, with the reason in Error(), when
    // there is no SoundFont or FluidSynth refuses. Slow (up to a few tenths of a second for a
    // large font), so it belongs to start-up, never to the audio thread.
    bool Open() override;
    void Close() override;
    bool IsOpen() const;
    // Decodes the status byte into FluidSynth's channel calls; system messages are ignored.
    void Short(std::uint32_t message) override;
    // A system-exclusive message framed by F0 ... F7; FluidSynth takes it without the frame.
    // False when the bytes are not so framed or the output is closed.
    bool Long(std::span<const std::uint8_t> bytes) override;
    // Cuts every sounding voice at once and returns every channel to its power-on state.
    void Reset() override;

    // Renders interleavedStereo.size() / 2 frames of the music; silence while closed.
    void Render(std::span<std::int16_t> interleavedStereo);
    // Voices sounding now, 0 while closed.
    int ActiveVoices() const;

    // Loads the presets' samples now and keeps them; none while closed.
    void Prepare(std::span<const MidiPreset> presets) override;

    const std::string& SoundFont() const { return soundFont_; }
    const std::string& Error() const { return error_; }

private:
    std::string soundFont_;
    std::string error_;
    mutable std::mutex mutex_;
    _fluid_hashtable_t* settings_ = nullptr;
    _fluid_synth_t* synth_ = nullptr;
    int soundFontId_ = -1;
};

}  // namespace kipkip
