// device/soundmixer.cpp
#include "device/soundmixer.h"

#include <algorithm>
#include <cstddef>
#include <limits>

namespace kipkip {

int SoundMixer::AddSound(std::vector<std::int16_t> samples)
{
    samples.resize(samples.size() - samples.size() % kChannels);
    auto sound = std::make_shared<const std::vector<std::int16_t>>(std::move(samples));
    std::lock_guard lock(mutex_);
    sounds_.push_back(std::move(sound));
    return static_cast<int>(sounds_.size()) - 1;
}

int SoundMixer::AddCopy(int sound)
{
    std::lock_guard lock(mutex_);
    if (sound < 0 || static_cast<std::size_t>(sound) >= sounds_.size()) {
        return -1;
    }
    copies_.push_back(Copy{sounds_[static_cast<std::size_t>(sound)], 0, false});
    return static_cast<int>(copies_.size()) - 1;
}

bool SoundMixer::Start(int copy)
{
    std::lock_guard lock(mutex_);
    if (copy < 0 || static_cast<std::size_t>(copy) >= copies_.size()) {
        return false;
    }
    Copy& c = copies_[static_cast<std::size_t>(copy)];
    c.position = 0;
    c.playing = true;
    return true;
}

bool SoundMixer::Stop(int copy)
{
    std::lock_guard lock(mutex_);
    if (copy < 0 || static_cast<std::size_t>(copy) >= copies_.size()) {
        return false;
    }
    copies_[static_cast<std::size_t>(copy)].playing = false;
    return true;
}

SoundMixer::CopyState SoundMixer::State(int copy) const
{
    std::lock_guard lock(mutex_);
    if (copy < 0 || static_cast<std::size_t>(copy) >= copies_.size()) {
        return {};
    }
    const Copy& c = copies_[static_cast<std::size_t>(copy)];
    return {c.playing, c.position};
}

void SoundMixer::Clear()
{
    // The samples are freed outside the lock: a long sound's memory is not the audio thread's
    // wait.
    std::vector<std::shared_ptr<const std::vector<std::int16_t>>> sounds;
    std::vector<Copy> copies;
    {
        std::lock_guard lock(mutex_);
        sounds.swap(sounds_);
        copies.swap(copies_);
    }
}

void SoundMixer::Mix(std::span<std::int16_t> out)
{
    MixLocked(out, false, kUnityGain);
}

void SoundMixer::MixAdd(std::span<std::int16_t> inOut, std::int32_t gain)
{
    MixLocked(inOut, true, gain);
}

void SoundMixer::MixLocked(std::span<std::int16_t> out, bool add, std::int32_t gain)
{
    std::lock_guard lock(mutex_);
    const std::size_t frames = out.size() / kChannels;
    // Capacity is kept from call to call, so the audio thread allocates only while warming up.
    sum_.assign(frames * kChannels, 0);
    for (Copy& c : copies_) {
        if (!c.playing) {
            continue;
        }
        const std::vector<std::int16_t>& samples = *c.samples;
        const std::size_t length = samples.size() / kChannels;
        const std::size_t count = std::min(frames, length - std::min(length, c.position));
        const std::int16_t* from = samples.data() + c.position * kChannels;
        for (std::size_t i = 0; i < count * kChannels; ++i) {
            sum_[i] += from[i];
        }
        c.position += count;
        if (c.position >= length) {
            c.playing = false;
        }
    }
    for (std::size_t i = 0; i < sum_.size(); ++i) {
        const std::int64_t effects = (std::int64_t{sum_[i]} * gain) >> 16;
        const std::int64_t under = add ? out[i] : 0;
        out[i] = static_cast<std::int16_t>(
            std::clamp<std::int64_t>(under + effects, std::numeric_limits<std::int16_t>::min(),
                                     std::numeric_limits<std::int16_t>::max()));
    }
    // An odd last sample is no whole frame; it is silence rather than left as it was.
    for (std::size_t i = sum_.size(); i < out.size(); ++i) {
        out[i] = 0;
    }
}

int SoundMixer::SoundCount() const
{
    std::lock_guard lock(mutex_);
    return static_cast<int>(sounds_.size());
}

int SoundMixer::CopyCount() const
{
    std::lock_guard lock(mutex_);
    return static_cast<int>(copies_.size());
}

}  // namespace kipkip
