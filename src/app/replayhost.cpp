#include "app/replayhost.h"

#include "game/gamemain.h"

namespace kipkip {

std::uint32_t ReplayHost::NewGameSeed()
{
    const auto& seeds = replay_.seeds;
    while (nextSeed_ < seeds.size() && seeds[nextSeed_].first < clock_.GameTick()) {
        ++nextSeed_;
    }
    if (nextSeed_ == seeds.size()) {
        return 0;
    }
    return seeds[nextSeed_++].second;
}

std::optional<std::vector<std::uint8_t>> ReplayHost::ReadScoreFile(std::string_view,
                                                                   std::size_t limit)
{
    auto bytes = TGameMainMode::EncodeScoreWith(replay_.hiScore, 0);
    std::vector<std::uint8_t> file(bytes.begin(), bytes.end());
    file.resize(std::min(file.size(), limit));
    return file;
}

}  // namespace kipkip
