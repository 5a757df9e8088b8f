#include "device/audiopath.h"

#include <algorithm>
#include <utility>

#include "device/soundmixer.h"

namespace kipkip {

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
            if (pass_) {
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

void AudioPath::Fill(std::span<std::int16_t> out)
{
    constexpr std::size_t kChannels = 2;
    std::lock_guard lock(mutex_);
    Run(out.size() / kChannels, [this, out](std::size_t first, std::size_t count) {
        std::span<std::int16_t> piece = out.subspan(first * kChannels, count * kChannels);
        if (synth_) {
            synth_(piece);
        } else {
            std::fill(piece.begin(), piece.end(), std::int16_t{0});
        }
        effects_.MixAdd(piece);
    });
    // An odd last sample is no whole frame.
    if (out.size() % kChannels != 0) {
        out.back() = 0;
    }
}

void AudioPath::Advance(std::size_t frames)
{
    std::lock_guard lock(mutex_);
    Run(frames, [](std::size_t, std::size_t) {});
}

}  // namespace kipkip
