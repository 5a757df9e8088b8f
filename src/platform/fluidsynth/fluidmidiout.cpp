#include "platform/fluidsynth/fluidmidiout.h"

#include <fluidsynth.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <system_error>

#include "platform/fluidsynth/silencedreads.h"
#include "platform/soundfontsamples.h"

namespace kipkip {
namespace {

// The presets every reset selects: the first piano and the standard drum kit.
constexpr MidiPreset kResetPresets[] = {{0, 0}, {MidiPreset::kDrumBank, 0}};

// Debian's General MIDI SoundFonts, the fuller one first.
constexpr const char* kDebianSoundFonts[] = {
    "/usr/share/sounds/sf2/FluidR3_GM.sf2",
    "/usr/share/sounds/sf2/TimGM6mb.sf2",
};

// FluidSynth writes its errors to stderr by default; the game reports a failed start itself,
// once, in its own words.
void SilenceFluidSynth()
{
    static std::once_flag once;
    std::call_once(once, [] {
        for (int level = FLUID_PANIC; level <= FLUID_DBG; ++level) {
            fluid_set_log_function(level, nullptr, nullptr);
        }
    });
}

}  // namespace

FluidMidiOut::~FluidMidiOut()
{
    Close();
}

std::string FluidMidiOut::ChooseSoundFont(std::string_view option)
{
    if (!option.empty()) {
        return std::string(option);
    }
    if (const char* variable = std::getenv("KIPKIP_SOUNDFONT");
        variable != nullptr && *variable != '\0') {
        return variable;
    }
    SilenceFluidSynth();
    for (const char* path : kDebianSoundFonts) {
        if (fluid_is_soundfont(path)) {
            return path;
        }
    }
    return {};
}

bool FluidMidiOut::Open()
{
    if (IsOpen()) {
        return true;
    }
    SilenceFluidSynth();
    if (soundFont_.empty()) {
        error_ = "no SoundFont found (give one with --soundfont or KIPKIP_SOUNDFONT)";
        return false;
    }
    if (std::error_code ignored; !std::filesystem::exists(soundFont_, ignored)) {
        error_ = "the SoundFont " + soundFont_ + " does not exist";
        return false;
    }
    if (!fluid_is_soundfont(soundFont_.c_str())) {
        error_ = soundFont_ + " is not a SoundFont";
        return false;
    }
    fluid_settings_t* settings = new_fluid_settings();
    if (settings == nullptr) {
        error_ = "FluidSynth cannot make its settings";
        return false;
    }
    fluid_settings_setnum(settings, "synth.sample-rate", kRate);
    fluid_settings_setnum(settings, "synth.gain", kGain);
    fluid_settings_setint(settings, "synth.polyphony", 64);
    // A plain General MIDI sound: the song was written without reverb or chorus.
    fluid_settings_setint(settings, "synth.reverb.active", 0);
    fluid_settings_setint(settings, "synth.chorus.active", 0);
    // Locking a 150 MB font into memory would fail for an ordinary user's limit.
    fluid_settings_setint(settings, "synth.lock-memory", 0);
    // GS and XG resets carry device 0x10; FluidSynth obeys them only with this id.
    fluid_settings_setint(settings, "synth.device-id", 16);
    // Only the instruments a song plays are in memory (a large General MIDI font is mostly
    // instruments the game never plays): Prepare loads the song's, before it starts. A font
    // whose samples cannot be placed is loaded whole.
    auto samples = SoundFontSamples::Read(soundFont_);
    fluid_settings_setint(settings, "synth.dynamic-sample-loading", samples ? 1 : 0);
    fluid_synth_t* synth = new_fluid_synth(settings);
    if (synth == nullptr) {
        delete_fluid_settings(settings);
        error_ = "FluidSynth cannot start its synthesiser";
        return false;
    }
    if (samples) {
        fluid_synth_add_sfloader(synth,
                                 NewSilencedReadsLoader(settings, soundFont_, std::move(*samples)));
    }
    const int id = fluid_synth_sfload(synth, soundFont_.c_str(), 0);
    if (id == FLUID_FAILED) {
        delete_fluid_synth(synth);
        delete_fluid_settings(settings);
        error_ = "FluidSynth cannot load " + soundFont_;
        return false;
    }
    // What every reset selects is kept loaded, so that a reset never loads samples; the
    // channels then get their first presets, as a load that selects them would have done.
    for (const MidiPreset& preset : kResetPresets) {
        fluid_synth_pin_preset(synth, id, preset.bank, preset.program);
    }
    fluid_synth_program_reset(synth);
    std::lock_guard lock(mutex_);
    settings_ = settings;
    synth_ = synth;
    soundFontId_ = id;
    error_.clear();
    return true;
}

void FluidMidiOut::Prepare(std::span<const MidiPreset> presets)
{
    std::lock_guard lock(mutex_);
    if (synth_ == nullptr) {
        return;
    }
    for (const MidiPreset& preset : presets) {
        // A preset the font lacks is played by its bank 0 namesake (the drums by the standard
        // kit, kept already).
        if (fluid_synth_pin_preset(synth_, soundFontId_, preset.bank, preset.program) ==
                FLUID_FAILED &&
            preset.bank != 0 && preset.bank != MidiPreset::kDrumBank) {
            fluid_synth_pin_preset(synth_, soundFontId_, 0, preset.program);
        }
    }
}

void FluidMidiOut::Close()
{
    fluid_synth_t* synth = nullptr;
    fluid_settings_t* settings = nullptr;
    {
        std::lock_guard lock(mutex_);
        std::swap(synth, synth_);
        std::swap(settings, settings_);
    }
    // Freed outside the lock: unloading a large font is not the audio thread's wait.
    if (synth != nullptr) {
        delete_fluid_synth(synth);
    }
    if (settings != nullptr) {
        delete_fluid_settings(settings);
    }
}

bool FluidMidiOut::IsOpen() const
{
    std::lock_guard lock(mutex_);
    return synth_ != nullptr;
}

void FluidMidiOut::Short(std::uint32_t message)
{
    const int status = static_cast<int>(message & 0xFF);
    const int data1 = static_cast<int>((message >> 8) & 0x7F);
    const int data2 = static_cast<int>((message >> 16) & 0x7F);
    const int channel = status & 0x0F;
    std::lock_guard lock(mutex_);
    if (synth_ == nullptr) {
        return;
    }
    switch (status & 0xF0) {
        case 0x80:
            fluid_synth_noteoff(synth_, channel, data1);
            break;
        case 0x90:
            // Velocity 0 is a note-off, which FluidSynth's note-on already honours.
            fluid_synth_noteon(synth_, channel, data1, data2);
            break;
        case 0xA0:
            fluid_synth_key_pressure(synth_, channel, data1, data2);
            break;
        case 0xB0:
            fluid_synth_cc(synth_, channel, data1, data2);
            break;
        case 0xC0:
            fluid_synth_program_change(synth_, channel, data1);
            break;
        case 0xD0:
            fluid_synth_channel_pressure(synth_, channel, data1);
            break;
        case 0xE0:
            fluid_synth_pitch_bend(synth_, channel, data1 | (data2 << 7));
            break;
        default:
            // Data bytes without a status, and system messages: nothing a synthesiser plays.
            break;
    }
}

bool FluidMidiOut::Long(std::span<const std::uint8_t> bytes)
{
    if (bytes.size() < 2 || bytes.front() != 0xF0 || bytes.back() != 0xF7) {
        return false;
    }
    std::span<const std::uint8_t> body = bytes.subspan(1, bytes.size() - 2);
    std::lock_guard lock(mutex_);
    if (synth_ == nullptr) {
        return false;
    }
    // FluidSynth ignores a message passed with its F0 and F7.
    return fluid_synth_sysex(synth_, reinterpret_cast<const char*>(body.data()),
                             static_cast<int>(body.size()), nullptr, nullptr, nullptr,
                             0) == FLUID_OK;
}

void FluidMidiOut::Reset()
{
    std::lock_guard lock(mutex_);
    if (synth_ == nullptr) {
        return;
    }
    // A new song starts on a clean synthesiser. The system reset puts the voices into their
    // release (seconds for a pad), so every voice is cut after it; in the other order
    // FluidSynth 2.3 lets the reset bring the release back.
    fluid_synth_system_reset(synth_);
    fluid_synth_all_sounds_off(synth_, -1);
}

void FluidMidiOut::Render(std::span<std::int16_t> interleavedStereo)
{
    const std::size_t frames = interleavedStereo.size() / 2;
    std::lock_guard lock(mutex_);
    if (synth_ == nullptr || frames == 0) {
        std::fill(interleavedStereo.begin(), interleavedStereo.end(), std::int16_t{0});
        return;
    }
    std::int16_t* out = interleavedStereo.data();
    fluid_synth_write_s16(synth_, static_cast<int>(frames), out, 0, 2, out, 1, 2);
    // An odd last sample is no whole frame.
    if (interleavedStereo.size() % 2 != 0) {
        interleavedStereo.back() = 0;
    }
}

int FluidMidiOut::ActiveVoices() const
{
    std::lock_guard lock(mutex_);
    return synth_ == nullptr ? 0 : fluid_synth_get_active_voice_count(synth_);
}

}  // namespace kipkip
