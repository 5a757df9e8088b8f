#include "device/audiopath.h"

#include <algorithm>
#include <utility>

#include "device/soundmixer.h"

namespace kipkip {

AudioPath::AudioPath(SoundMixer& effects)
    : effects_(effects), musicGain_(SoundMixer::kUnityGain), effectsGain_(SoundMixer::kUnityGain)
{}

std::int32_t AudioPath::GainOf(int volume)
{
    const std::int64_t level = std::clamp(volume, 0, 100);
    return static_cast<std::int32_t>(level * level * SoundMixer::kUnityGain / (100 * 100));
}

void AudioPath::ScaleMusic(std::span<std::int16_t> piece) const
{
    const std::int32_t gain = musicOn_ ? musicGain_.load() : 0;
    if (gain == SoundMixer::kUnityGain) {
        return;
    }
    for (std::int16_t& sample : piece) {
        sample = static_cast<std::int16_t>((std::int32_t{sample} * gain) >> 16);
    }
}

void AudioPath::SetSequencer(Pass pass)
{
    std::lock_guard lock(mutex_);
    pass_ = std::move(pass);
}

void AudioPath::SetSynth(Synth synth)
{
    std::lock_guard lock(mutex_);
    synth_ = std::move(synth);
}

template <typename Render>
void AudioPath::Run(std::size_t frames, Render render)
{
    std::size_t done = 0;
    while (done < frames) {
        if (framesToPass_ == 0) {
            if (pass_ && !musicHeld_) {
                pass_();
            }
            // Counted after the pass: what it sent carries its own time, not the next one's.
            ++passes_;
            framesToPass_ = kPassFrames;
        }
        const std::size_t count = std::min(framesToPass_, frames - done);
        render(done, count);
        done += count;
        framesToPass_ -= count;
    }
}

void AudioPath::SetOverlay(SoundMixer& overlay)
{
    std::lock_guard lock(mutex_);
    overlay_ = &overlay;
}

void AudioPath::Fill(std::span<std::int16_t> out)
{
    std::lock_guard lock(mutex_);
    if (gameHeld_) {
        std::fill(out.begin(), out.end(), std::int16_t{0});
    } else {
        RenderGame(out);
    }
    if (overlay_ != nullptr) {
        overlay_->MixAdd(out, effectsGain_);
    }
    // An odd last sample is no whole frame.
    if (out.size() % kChannels != 0) {
        out.back() = 0;
    }
}

void AudioPath::RenderGame(std::span<std::int16_t> out)
{
    Run(out.size() / kChannels, [this, out](std::size_t first, std::size_t count) {
        std::span<std::int16_t> piece = out.subspan(first * kChannels, count * kChannels);
        if (synth_) {
            synth_(piece);
            ScaleMusic(piece);
        } else {
            std::fill(piece.begin(), piece.end(), std::int16_t{0});
        }
        effects_.MixAdd(piece, effectsGain_);
    });
}

void AudioPath::Advance(std::size_t frames)
{
    std::lock_guard lock(mutex_);
    if (!gameHeld_) {
        Run(frames, [](std::size_t, std::size_t) {});
    }
}

}  // namespace kipkip
