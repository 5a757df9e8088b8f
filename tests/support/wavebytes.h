// tests/support/wavebytes.h
// RIFF WAVE images written from their fields, so a test says which chunk it breaks and how.
#pragma once

#include <cstdint>
#include <initializer_list>
#include <optional>
#include <string>
#include <vector>

namespace kipkip::test {

inline void PutU16(std::vector<std::uint8_t>& out, std::uint32_t value)
{
    out.push_back(static_cast<std::uint8_t>(value));
    out.push_back(static_cast<std::uint8_t>(value >> 8));
}

inline void PutU32(std::vector<std::uint8_t>& out, std::uint32_t value)
{
    PutU16(out, value & 0xFFFF);
    PutU16(out, value >> 16);
}

struct WaveChunk {
    std::string id;  // four characters
    std::vector<std::uint8_t> body;
    std::optional<std::uint32_t> size;  // the size field, when it is to lie about the body
};

// The fmt chunk of PCM (or of another tag); bytes beyond 16 are zero, fewer cut it short.
inline WaveChunk FmtChunk(int channels, int rate, int bits, int tag = 1, std::size_t bytes = 16)
{
    std::vector<std::uint8_t> body;
    const int blockAlign = channels * bits / 8;
    PutU16(body, static_cast<std::uint32_t>(tag));
    PutU16(body, static_cast<std::uint32_t>(channels));
    PutU32(body, static_cast<std::uint32_t>(rate));
    PutU32(body, static_cast<std::uint32_t>(blockAlign * rate));
    PutU16(body, static_cast<std::uint32_t>(blockAlign));
    PutU16(body, static_cast<std::uint32_t>(bits));
    body.resize(bytes, 0);
    return {"fmt ", body, std::nullopt};
}

inline std::vector<std::uint8_t> Pcm16(std::initializer_list<int> samples)
{
    std::vector<std::uint8_t> body;
    for (int sample : samples) {
        PutU16(body, static_cast<std::uint16_t>(static_cast<std::int16_t>(sample)));
    }
    return body;
}

inline WaveChunk DataChunk(std::vector<std::uint8_t> body)
{
    return {"data", std::move(body), std::nullopt};
}

// RIFF, its size (the true one unless given), the form, then the chunks back to back.
inline std::vector<std::uint8_t> RiffImage(const std::vector<WaveChunk>& chunks,
                                           std::optional<std::uint32_t> riffSize = std::nullopt,
                                           const std::string& magic = "RIFF",
                                           const std::string& form = "WAVE")
{
    std::vector<std::uint8_t> out(magic.begin(), magic.end());
    PutU32(out, 0);
    out.insert(out.end(), form.begin(), form.end());
    for (const WaveChunk& chunk : chunks) {
        out.insert(out.end(), chunk.id.begin(), chunk.id.end());
        PutU32(out, chunk.size.value_or(static_cast<std::uint32_t>(chunk.body.size())));
        out.insert(out.end(), chunk.body.begin(), chunk.body.end());
    }
    const std::uint32_t size = riffSize.value_or(static_cast<std::uint32_t>(out.size() - 8));
    for (int i = 0; i < 4; ++i) {
        out[4 + static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(size >> (8 * i));
    }
    return out;
}

// A plain PCM image of fmt and data.
inline std::vector<std::uint8_t> PcmWave(int channels, int rate, int bits,
                                         std::vector<std::uint8_t> samples)
{
    return RiffImage({FmtChunk(channels, rate, bits), DataChunk(std::move(samples))});
}

}  // namespace kipkip::test
