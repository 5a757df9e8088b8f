// game/filegamehost.h
// The host of an ordinary run: each game is seeded with the time in seconds, and the
// high-score file is read and written through the file layer, relative to the current
// directory (the data directory).
#pragma once

#include "game/gamehost.h"

namespace kipkip {

class FileGameHost : public GameHost {
public:
    std::uint32_t NewGameSeed() override;
    std::optional<std::vector<std::uint8_t>> ReadScoreFile(std::string_view name,
                                                           std::size_t limit) override;
    // The score goes over the first bytes; anything the old file held beyond them is kept,
    // as a write in place would keep it.
    void WriteScoreFile(std::string_view name, std::span<const std::uint8_t> bytes) override;
};

}  // namespace kipkip
