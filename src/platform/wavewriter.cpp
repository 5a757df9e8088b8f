#include "platform/wavewriter.h"

#include <limits>

#include "platform/byteorder.h"

namespace kipkip {
namespace {

constexpr std::uint32_t kFmtSize = 16;
constexpr std::uint16_t kFormatPcm = 1;
constexpr std::uint16_t kBits = 16;

void PutTag(std::vector<std::uint8_t>& out, const char (&tag)[5])
{
    out.insert(out.end(), tag, tag + 4);
}

}  // namespace

std::vector<std::uint8_t> EncodeWave16(std::span<const std::int16_t> samples, int rate,
                                       int channels)
{
    if ((channels != 1 && channels != 2) || rate <= 0 || samples.size() % channels != 0) {
        return {};
    }
    // The RIFF size counts everything after its own field: the header less 8, then the data.
    constexpr std::size_t kLimit = std::numeric_limits<std::uint32_t>::max() - kWaveHeaderSize;
    if (samples.size() > kLimit / sizeof(std::int16_t)) {
        return {};
    }
    auto dataSize = static_cast<std::uint32_t>(samples.size() * sizeof(std::int16_t));
    auto blockAlign = static_cast<std::uint16_t>(channels * kBits / 8);

    std::vector<std::uint8_t> out;
    out.reserve(kWaveHeaderSize + dataSize);
    PutTag(out, "RIFF");
    AppendLe32(out, static_cast<std::uint32_t>(kWaveHeaderSize - 8) + dataSize);
    PutTag(out, "WAVE");
    PutTag(out, "fmt ");
    AppendLe32(out, kFmtSize);
    AppendLe16(out, kFormatPcm);
    AppendLe16(out, static_cast<std::uint16_t>(channels));
    AppendLe32(out, static_cast<std::uint32_t>(rate));
    AppendLe32(out, static_cast<std::uint32_t>(rate) * blockAlign);
    AppendLe16(out, blockAlign);
    AppendLe16(out, kBits);
    PutTag(out, "data");
    AppendLe32(out, dataSize);
    for (std::int16_t sample : samples) {
        AppendLe16(out, static_cast<std::uint16_t>(sample));
    }
    return out;
}

}  // namespace kipkip
