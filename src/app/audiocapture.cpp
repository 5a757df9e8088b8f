#include "app/audiocapture.h"

#include <span>

#include "device/audiopath.h"
#include "device/soundmixer.h"
#include "platform/files.h"
#include "platform/wavewriter.h"

namespace kipkip {

void AudioCapture::RenderTick()
{
    constexpr std::size_t kSamples = kFramesPerTick * SoundMixer::kChannels;
    std::size_t start = samples_.size();
    samples_.resize(start + kSamples);
    path_.Fill(std::span<std::int16_t>(samples_).subspan(start, kSamples));
}

bool AudioCapture::Save(std::string_view path) const
{
    std::vector<std::uint8_t> file =
        EncodeWave16(samples_, SoundMixer::kRate, SoundMixer::kChannels);
    return !file.empty() && WriteWholeFile(path, file);
}

}  // namespace kipkip
