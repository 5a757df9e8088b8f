// platform/wavewriter.h
// Sound saved as a file (`--audio-out`, and tests that want to listen): a canonical RIFF WAVE of
// 16-bit PCM, a 12-byte RIFF header, a 16-byte "fmt " chunk and one "data" chunk, which every
// player and sound tool reads.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

namespace kipkip {

// The header before the samples: "RIFF", "WAVE", the fmt chunk and the data chunk's header.
inline constexpr std::size_t kWaveHeaderSize = 44;

// The samples (interleaved, `channels` to a frame) as a WAVE file. Empty when the channel count
// is not 1 or 2, the rate not positive, the samples not whole frames, or the data would not fit
// the format's 32-bit sizes.
std::vector<std::uint8_t> EncodeWave16(std::span<const std::int16_t> samples, int rate,
                                       int channels);

}  // namespace kipkip
