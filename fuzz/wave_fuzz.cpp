// The sound-effect device on any bytes: reading, converting and playing a WAVE image stay
// inside the image and inside the converted sound.
#include <cstdint>
#include <span>
#include <vector>

#include "device/kivsound.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    using namespace kipkip;
    const std::span<const std::uint8_t> image(data, size);
    std::string error;
    const auto wave = TKivSound::ReadWave(image, error);
    if (wave) {
        const std::size_t rate = static_cast<std::size_t>(wave->rate);
        const std::size_t expected = (wave->frames * SoundMixer::kRate + rate - 1) / rate;
        if (TKivSound::ToMixerFormat(*wave).size() != expected * SoundMixer::kChannels) {
            __builtin_trap();  // a converted sound of another length would change its pitch
        }
    }
    SoundMixer mixer;
    TKivSound sound(mixer);
    sound.Init();
    if (sound.LoadFile(image) != wave.has_value()) {
        __builtin_trap();
    }
    sound.Play(0);
    std::vector<std::int16_t> out(512 * SoundMixer::kChannels);
    mixer.Mix(out);
    sound.Play(0);
    sound.IsPlaying(0);
    sound.Stop(0);
    return 0;
}
