// device/kivsound.cpp
#include "device/kivsound.h"

#include <algorithm>
#include <array>
#include <cstring>

#include "platform/bytecursor.h"
#include "platform/byteorder.h"
#include "platform/resourceorfile.h"
#include "platform/resources.h"

namespace kipkip {

namespace {

constexpr int kTagPcm = 1;
// WAVE_FORMAT_EXTENSIBLE: the plain fmt chunk's 16 bytes, the size of the extension that
// follows (at least 22), the valid bits, the channel mask, then the sub-format's GUID.
constexpr int kTagExtensible = 0xFFFE;
constexpr std::size_t kExtensionSizeAt = 16;
constexpr int kMinExtensionSize = 22;
constexpr std::size_t kSubFormatAt = 24;
// KSDATAFORMAT_SUBTYPE_PCM, 00000001-0000-0010-8000-00AA00389B71, as a file stores it.
constexpr std::array<std::uint8_t, 16> kSubFormatPcm = {
    0x01, 0x00, 0x00, 0x00, 0x00, 0x00, 0x10, 0x00, 0x80, 0x00, 0x00, 0xAA, 0x00, 0x38, 0x9B, 0x71};
constexpr std::size_t kExtensibleFmtSize = kSubFormatAt + kSubFormatPcm.size();

// Whether the fmt chunk (fmtSize bytes from fmt, inside the image) holds PCM samples, under the
// plain tag or the extensible one; when not, error says why.
bool HoldsPcm(const ByteCursor& in, std::size_t fmt, std::size_t fmtSize, std::string& error)
{
    const int tag = in.Le16At(fmt);
    if (tag == kTagPcm) {
        return true;
    }
    if (tag != kTagExtensible) {
        error = "format tag " + std::to_string(tag) + " is not PCM";
        return false;
    }
    if (fmtSize < kExtensibleFmtSize) {
        error = "the extensible fmt chunk has " + std::to_string(fmtSize) +
                " bytes, too few for its sub-format (" + std::to_string(kExtensibleFmtSize) + ")";
        return false;
    }
    const int extensionSize = in.Le16At(fmt + kExtensionSizeAt);
    if (extensionSize < kMinExtensionSize) {
        error = "the extensible fmt chunk's extension has " + std::to_string(extensionSize) +
                " bytes, fewer than " + std::to_string(kMinExtensionSize);
        return false;
    }
    const auto subFormat = in.BytesAt(fmt + kSubFormatAt, kSubFormatPcm.size());
    if (!std::equal(subFormat.begin(), subFormat.end(), kSubFormatPcm.begin(),
                    kSubFormatPcm.end())) {
        error = "the extensible format's sub-format is not PCM";
        return false;
    }
    return true;
}

// ceil(frames * SoundMixer::kRate / rate) for rate > 0, exact for every frame count a data
// chunk can hold (fewer than 2^32, so the product stays below 2^48).
std::uint64_t MixerFrames(std::uint64_t frames, std::uint64_t rate)
{
    return (frames * SoundMixer::kRate + rate - 1) / rate;
}

// The sample of one channel of one frame, widened to 16 bits.
std::int32_t SampleAt(const TKivSound::WaveInfo& wave, std::size_t frame, int channel)
{
    const std::size_t index =
        frame * static_cast<std::size_t>(wave.channels) + static_cast<std::size_t>(channel);
    if (wave.bits == 8) {
        return (static_cast<std::int32_t>(wave.data[index]) - 128) * 256;
    }
    return static_cast<std::int16_t>(LoadLe16(wave.data.data() + index * 2));
}

// a / b rounded to the nearest integer, halves upwards, for b > 0 and either sign of a.
std::int64_t DivideRounded(std::int64_t a, std::int64_t b)
{
    const std::int64_t shifted = a * 2 + b;
    const std::int64_t quotient = shifted / (2 * b);
    return (shifted % (2 * b) < 0) ? quotient - 1 : quotient;
}

}  // namespace

TKivSound::TKivSound(SoundMixer& mixer) : mixer_(mixer) {}

TKivSound::~TKivSound()
{
    ReleaseAll();
}

bool TKivSound::Init()
{
    return Init(samplingRatio_, bits_, stereo_);
}

bool TKivSound::Init(int /*samplesPerSecond*/, int /*bitsPerSample*/, bool /*stereo*/)
{
    ReleaseAll();
    initialised_ = true;
    return true;
}

bool TKivSound::CreateBuffer(std::string_view name, std::string_view fileName)
{
    if (!CreateBuffer(fileName)) {
        return false;
    }
    names_.emplace_back(name);
    return true;
}

bool TKivSound::CreateBuffer(std::string_view fileName)
{
    if (!initialised_) {
        return false;
    }
    auto wave = ReadResourceOrFile("WAVE", fileName);
    return wave && LoadFile(wave->Bytes());
}

bool TKivSound::LoadFile(std::span<const std::uint8_t> image)
{
    if (!initialised_ || soundCount_ >= kMaxSounds) {
        return false;
    }
    std::string error;
    auto wave = ReadWave(image, error);
    if (!wave) {
        return false;
    }
    const int sound = mixer_.AddSound(ToMixerFormat(*wave));
    Slot& slot = slots_[static_cast<std::size_t>(soundCount_)];
    for (int& copy : slot.copies) {
        copy = mixer_.AddCopy(sound);
    }
    ++soundCount_;
    return true;
}

bool TKivSound::Play(std::string_view name)
{
    return Play(FindSlot(name));
}

bool TKivSound::Play(int slot)
{
    if (!ValidSlot(slot)) {
        return false;
    }
    Slot& s = slots_[static_cast<std::size_t>(slot)];
    const int previous = (s.next + kCopies - 1) % kCopies;
    const SoundMixer::CopyState last = mixer_.State(s.copies[static_cast<std::size_t>(previous)]);
    if (last.playing && last.position == 0) {
        // Not heard yet: a second start in the same frame would only double the volume.
        return true;
    }
    if (!mixer_.Start(s.copies[static_cast<std::size_t>(s.next)])) {
        return false;
    }
    s.next = (s.next + 1) % kCopies;
    return true;
}

bool TKivSound::Stop(std::string_view name)
{
    return Stop(FindSlot(name));
}

bool TKivSound::Stop(int slot)
{
    if (!ValidSlot(slot)) {
        return false;
    }
    Slot& s = slots_[static_cast<std::size_t>(slot)];
    for (int copy : s.copies) {
        if (!mixer_.Stop(copy)) {
            return false;
        }
    }
    s.next = 0;
    return true;
}

bool TKivSound::IsPlaying(std::string_view name)
{
    return IsPlaying(FindSlot(name));
}

bool TKivSound::IsPlaying(int slot)
{
    if (!ValidSlot(slot)) {
        return false;
    }
    const Slot& s = slots_[static_cast<std::size_t>(slot)];
    return std::any_of(s.copies.begin(), s.copies.end(),
                       [this](int copy) { return mixer_.State(copy).playing; });
}

void TKivSound::ReleaseAll()
{
    mixer_.Clear();
    initialised_ = false;
    soundCount_ = 0;
    names_.clear();
}

int TKivSound::FindSlot(std::string_view name) const
{
    for (std::size_t i = 0; i < names_.size(); ++i) {
        if (EqualsIgnoringCase(names_[i], name)) {
            return static_cast<int>(i);
        }
    }
    return -1;
}

bool TKivSound::ValidSlot(int slot) const
{
    return initialised_ && slot >= 0 && slot < soundCount_;
}

std::optional<TKivSound::WaveInfo> TKivSound::ReadWave(std::span<const std::uint8_t> image,
                                                       std::string& error)
{
    const ByteCursor in(image);
    if (!in.IdAt(0, "RIFF")) {
        error = "not a RIFF file";
        return std::nullopt;
    }
    if (!in.Has(4, 4)) {
        error = "the RIFF header is cut short";
        return std::nullopt;
    }
    const std::size_t end = static_cast<std::size_t>(
        std::min<std::uint64_t>(8 + static_cast<std::uint64_t>(in.Le32At(4)), image.size()));
    if (!in.IdAt(8, "WAVE")) {
        error = "the RIFF form is not WAVE";
        return std::nullopt;
    }

    std::optional<std::size_t> fmt;
    std::size_t fmtSize = 0;
    std::optional<std::size_t> data;
    std::size_t dataSize = 0;
    std::size_t pos = 12;
    while (!(fmt && data && dataSize > 0)) {
        if (pos >= end) {
            error = !fmt ? "no fmt chunk" : "no data chunk with samples";
            return std::nullopt;
        }
        // Every length is checked against the image: a chunk that claims more than is there is
        // refused instead of being read past the end.
        if (!in.Has(pos, 8)) {
            error = "the chunk header at byte " + std::to_string(pos) + " is cut short";
            return std::nullopt;
        }
        const std::size_t size = in.Le32At(pos + 4);
        if (!in.Has(pos + 8, size)) {
            error = "the '" + in.IdText(pos) + "' chunk at byte " + std::to_string(pos) +
                    " runs past the end of the image";
            return std::nullopt;
        }
        if (in.IdAt(pos, "fmt ")) {
            if (size < 14) {
                error = "the fmt chunk has " + std::to_string(size) + " bytes, fewer than 14";
                return std::nullopt;
            }
            fmt = pos + 8;
            fmtSize = size;
        } else if (in.IdAt(pos, "data")) {
            data = pos + 8;
            dataSize = size;
        }
        // No pad byte follows an odd size: the game's own files are written that way.
        pos += 8 + size;
    }

    if (!HoldsPcm(in, *fmt, fmtSize, error)) {
        return std::nullopt;
    }
    const int channels = in.Le16At(*fmt + 2);
    const std::uint32_t rate = in.Le32At(*fmt + 4);
    const int blockAlign = in.Le16At(*fmt + 12);
    // A 14-byte fmt chunk has no sample size; a PCM frame then tells it.
    const int bits =
        fmtSize >= 16 ? in.Le16At(*fmt + 14) : (channels > 0 ? blockAlign * 8 / channels : 0);
    if (channels != 1 && channels != 2) {
        error = std::to_string(channels) + " channels, not 1 or 2";
        return std::nullopt;
    }
    if (bits != 8 && bits != 16) {
        error = std::to_string(bits) + " bits per sample, not 8 or 16";
        return std::nullopt;
    }
    if (rate < static_cast<std::uint32_t>(kMinRate) ||
        rate > static_cast<std::uint32_t>(kMaxRate)) {
        error = "a rate of " + std::to_string(rate) + " Hz, outside " + std::to_string(kMinRate) +
                ".." + std::to_string(kMaxRate);
        return std::nullopt;
    }
    const std::size_t frameBytes = static_cast<std::size_t>(channels * bits / 8);
    const std::size_t frames = dataSize / frameBytes;
    if (frames == 0) {
        error = "the data chunk holds no whole frame";
        return std::nullopt;
    }
    const std::uint64_t mixerBytes =
        MixerFrames(frames, rate) * SoundMixer::kChannels * sizeof(std::int16_t);
    if (mixerBytes > kMaxMixerBytes) {
        error = "converted for the mixer the sound takes " + std::to_string(mixerBytes) +
                " bytes, more than " + std::to_string(kMaxMixerBytes) + " (64 MiB)";
        return std::nullopt;
    }
    WaveInfo wave;
    wave.channels = channels;
    wave.rate = static_cast<int>(rate);
    wave.bits = bits;
    wave.frames = frames;
    wave.data = image.subspan(*data, frames * frameBytes);
    return wave;
}

std::vector<std::int16_t> TKivSound::ToMixerFormat(const WaveInfo& wave)
{
    constexpr std::uint64_t kOut = SoundMixer::kRate;
    const std::uint64_t rate = static_cast<std::uint64_t>(wave.rate);
    const std::size_t outFrames = static_cast<std::size_t>(MixerFrames(wave.frames, rate));
    std::vector<std::int16_t> out;
    out.reserve(outFrames * SoundMixer::kChannels);
    for (std::size_t j = 0; j < outFrames; ++j) {
        // Output frame j lies at j * rate / kOut source frames: between frame i and the next
        // (the last frame holds on past the end), rem / kOut of the way.
        const std::uint64_t at = j * rate;
        const std::size_t i = static_cast<std::size_t>(at / kOut);
        const std::int64_t rem = static_cast<std::int64_t>(at % kOut);
        const std::size_t following = std::min(i + 1, wave.frames - 1);
        for (int c = 0; c < SoundMixer::kChannels; ++c) {
            const int channel = wave.channels == 1 ? 0 : c;
            const std::int64_t a = SampleAt(wave, i, channel);
            const std::int64_t b = SampleAt(wave, following, channel);
            const std::int64_t value =
                rem == 0 ? a
                         : DivideRounded(a * (static_cast<std::int64_t>(kOut) - rem) + b * rem,
                                         static_cast<std::int64_t>(kOut));
            out.push_back(static_cast<std::int16_t>(value));
        }
    }
    return out;
}

}  // namespace kipkip
