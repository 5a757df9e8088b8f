// device/kivsound.h
// The sound-effect device: up to 16 sounds registered under names from RIFF WAVE images (a
// built-in WAVE resource or a file), each able to sound four times at once. A play starts the
// next of the sound's four copies in turn, so a fifth overlapping play restarts the oldest,
// and a second play before the last one has been heard at all starts nothing.
//
// Each sound is converted once, when it is loaded, to the mixer's format, so it plays at its
// own pitch and length whatever its rate, depth and channels; the mixer is pulled by the audio
// output elsewhere, and Init only makes the device ready. Every failure is a false result;
// nothing here reports anything to the player.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "device/soundmixer.h"

namespace kipkip {

class TKivSound {
public:
    static constexpr int kMaxSounds = 16;
    static constexpr int kCopies = 4;
    // Every sound is held converted in memory: one that would take more than 64 MiB in the
    // mixer's format (about 6 minutes 20 s) is refused, so sixteen of them hold at most 1 GiB.
    static constexpr std::uint64_t kMaxMixerBytes = std::uint64_t{64} << 20;
    // The rates a sound buffer of the original platform plays.
    static constexpr int kMinRate = 100;
    static constexpr int kMaxRate = 200000;

    // What a WAVE image describes, once it has been accepted.
    struct WaveInfo {
        int channels = 0;  // 1 or 2
        int rate = 0;      // frames per second
        int bits = 0;      // 8 (unsigned) or 16 (signed)
        std::size_t frames = 0;
        std::span<const std::uint8_t> data;  // the whole frames of the data chunk, in the image
    };

    // The mixer must outlive the device.
    explicit TKivSound(SoundMixer& mixer);
    ~TKivSound();
    TKivSound(const TKivSound&) = delete;
    TKivSound& operator=(const TKivSound&) = delete;

    int SamplingRatio() const { return samplingRatio_; }
    void SetSamplingRatio(int value) { samplingRatio_ = value; }
    int Bits() const { return bits_; }
    // Above 15 stores 16, anything else 8.
    void SetBits(int value) { bits_ = value > 15 ? 16 : 8; }
    bool Stereo() const { return stereo_; }
    void SetStereo(bool value) { stereo_ = value; }

    // Init with the three properties.
    bool Init();
    // Drops every sound and makes the device ready. The output format is the mixer's whatever
    // is asked here: the audio output opened elsewhere converts for the hardware.
    bool Init(int samplesPerSecond, int bitsPerSample, bool stereo);

    // Loads a sound and, when it loads, gives it the name.
    bool CreateBuffer(std::string_view name, std::string_view fileName);
    // Loads a sound from the WAVE resource of that name, or else from the file of that name.
    // A resource that exists and does not load is not tried as a file.
    bool CreateBuffer(std::string_view fileName);
    // Loads a WAVE image into the next free slot. False before Init, with all slots taken, or
    // when ReadWave refuses the image; the slot then stays free.
    bool LoadFile(std::span<const std::uint8_t> image);

    // Starts one copy of the sound.
    bool Play(std::string_view name);
    bool Play(int slot);
    // Stops all four copies; the next play starts copy 0.
    bool Stop(std::string_view name);
    bool Stop(int slot);
    // Whether any of the four copies is playing.
    bool IsPlaying(std::string_view name);
    bool IsPlaying(int slot);

    // Drops every sound and name and forgets the Init.
    void ReleaseAll();

    int SoundCount() const { return soundCount_; }
    bool Initialised() const { return initialised_; }

    // Walks a RIFF WAVE image and says what it holds, or why it is refused (in error). Only
    // PCM (format tag 1, or the extensible tag 0xFFFE over the PCM sub-format) of 8 or 16 bits,
    // one or two channels, kMinRate..kMaxRate and at most kMaxMixerBytes once converted is
    // accepted. Reads nothing outside the image.
    static std::optional<WaveInfo> ReadWave(std::span<const std::uint8_t> image,
                                            std::string& error);
    // The sound in the mixer's format: interleaved stereo at SoundMixer::kRate, mono doubled,
    // 8-bit samples widened, other rates resampled linearly to ceil(frames * kRate / rate)
    // frames.
    static std::vector<std::int16_t> ToMixerFormat(const WaveInfo& wave);

private:
    struct Slot {
        std::array<int, kCopies> copies{};  // the mixer's copy numbers
        int next = 0;                       // the copy the next play starts
    };

    // The slot of the first name equal without regard to case, or -1.
    int FindSlot(std::string_view name) const;
    bool ValidSlot(int slot) const;

    SoundMixer& mixer_;
    bool initialised_ = false;
    int soundCount_ = 0;
    // The next-copy indexes survive ReleaseAll: they only choose which copy plays next.
    std::array<Slot, kMaxSounds> slots_{};
    std::vector<std::string> names_;
    int samplingRatio_ = 22050;
    int bits_ = 16;
    bool stereo_ = true;
};

}  // namespace kipkip
