// The high-score file's eight bytes, whatever they are: the score read back is 0 or a score the
// file can hold, and every score the game writes reads back as itself.
#include <cstdint>
#include <cstdlib>
#include <cstring>

#include "game/gamemain.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    using namespace kipkip;
    constexpr std::size_t kSize = TGameMainMode::kScoreSize;
    if (size < kSize) {
        return 0;
    }
    std::uint8_t bytes[kSize];
    std::memcpy(bytes, data, kSize);
    std::int32_t score =
        TGameMainMode::DecodeScore(std::span<const std::uint8_t, kSize>(bytes, kSize));
    if (score < 0 || score > TGameMainMode::kMaxScore) {
        std::abort();
    }
    if (size >= kSize + 6) {
        std::int32_t written = 0;
        std::memcpy(&written, data + kSize, sizeof written);
        written = written < 0 ? 0 : written % (TGameMainMode::kMaxScore + 1);
        std::int32_t shift = (data[kSize + 4] % 26) * 26 + data[kSize + 5] % 26;
        auto encoded = TGameMainMode::EncodeScoreWith(written, shift);
        if (TGameMainMode::DecodeScore(encoded) != written) {
            std::abort();
        }
    }
    return 0;
}
