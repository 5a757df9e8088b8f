// game/filegamehost.h
// The host of an ordinary run: each game is seeded with the time in seconds, and the
// high-score file is read and written through the file layer, relative to the current
// directory (the data directory). A high score that cannot be written is told to whoever asked
// to hear of it, and the game goes on.
#pragma once

#include <functional>
#include <string_view>

#include "game/gamehost.h"

namespace kipkip {

class FileGameHost : public GameHost {
public:
    // The file's name and, in words, why it could not be written.
    using WriteFailure = std::function<void(std::string_view name, std::string_view reason)>;

    explicit FileGameHost(WriteFailure onWriteFailure = {})
        : onWriteFailure_(std::move(onWriteFailure))
    {}

    std::uint32_t NewGameSeed() override;
    std::optional<std::vector<std::uint8_t>> ReadScoreFile(std::string_view name,
                                                           std::size_t limit) override;
    // The score goes over the first bytes; anything the old file held beyond them is kept,
    // as a write in place would keep it.
    void WriteScoreFile(std::string_view name, std::span<const std::uint8_t> bytes) override;

private:
    WriteFailure onWriteFailure_;
};

}  // namespace kipkip
