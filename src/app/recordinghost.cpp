#include "app/recordinghost.h"

#include "game/gamemain.h"

namespace kipkip {

std::uint32_t RecordingHost::NewGameSeed()
{
    std::uint32_t seed = inner_.NewGameSeed();
    recorder_.Seed(static_cast<std::uint32_t>(clock_.GameTick()), seed);
    return seed;
}

std::optional<std::vector<std::uint8_t>> RecordingHost::ReadScoreFile(std::string_view name,
                                                                      std::size_t limit)
{
    auto bytes = inner_.ReadScoreFile(name, limit);
    std::int32_t score = 0;
    if (bytes && bytes->size() == TGameMainMode::kScoreSize) {
        score = TGameMainMode::DecodeScore(std::span<const std::uint8_t, TGameMainMode::kScoreSize>(
            bytes->data(), TGameMainMode::kScoreSize));
    }
    recorder_.SetHiScore(score);
    return bytes;
}

void RecordingHost::WriteScoreFile(std::string_view name, std::span<const std::uint8_t> bytes)
{
    inner_.WriteScoreFile(name, bytes);
}

void RecordingHost::GameOver()
{
    inner_.GameOver();
    writer_.GameOver();
}

}  // namespace kipkip
