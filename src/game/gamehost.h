// game/gamehost.h
// What the main mode needs from outside the game: the seed of each game that starts, the
// high-score file, and whoever wants to know when a game is over. In a normal run the seed is the
// time in seconds and the file is read and written in the data directory; a replay hands back the
// recorded seeds and score and touches no file; a recording passes everything through and writes
// down the seeds.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string_view>
#include <vector>

namespace kipkip {

class GameHost {
public:
    virtual ~GameHost() = default;

    // The seed of the game that starts now.
    virtual std::uint32_t NewGameSeed() = 0;
    // The high-score file's first bytes (at most `limit`), or nothing when it cannot be read.
    virtual std::optional<std::vector<std::uint8_t>> ReadScoreFile(std::string_view name,
                                                                   std::size_t limit) = 0;
    // Writes the bytes at the start of the file (creating it when it is missing); a failure
    // leaves the old file as it was.
    virtual void WriteScoreFile(std::string_view name, std::span<const std::uint8_t> bytes) = 0;
    // The game being played has just ended: its game-over screen comes next.
    virtual void GameOver() {}
};

}  // namespace kipkip
