// records/record.h
// One game of the records table: who played it, how it went and the recording that shows it.
// Every field has the range the records file can hold; Fault() says which one a record breaks,
// so the reader and the table refuse the same records.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace kipkip {

struct Record {
    static constexpr std::size_t kInitialsLength = 3;
    static constexpr std::int32_t kMaxScore = 456975;  // the largest kipkip.dat can hold
    // Heights, levels and coins far beyond any game, so that a modded scene still fits.
    static constexpr std::int32_t kMaxHeight = 9'999'999;
    static constexpr std::int32_t kMinLevel = -99'999;  // the data's "start" may be negative
    static constexpr std::int32_t kMaxLevel = 99'999;
    static constexpr std::int32_t kMaxCoins = 9'999'999;
    static constexpr std::int32_t kSlowestSpeed = 50;
    static constexpr std::int32_t kFullSpeed = 100;
    // A recording's name is a plain file name in records/: short, and of characters that need
    // no quoting in a shell or in the file's space-separated line.
    static constexpr std::size_t kMaxRecordingLength = 64;

    std::string initials;      // three letters A to Z
    std::int32_t score = 0;    // the height at the end of the game, in metres
    std::int32_t best = 0;     // the highest height reached in the game, at least the score
    std::int32_t level = 0;    // the level reached
    std::int32_t coins = 0;    // the coins taken
    std::string date;          // YYYY-MM-DD, the day the game was played
    std::int32_t speed = 100;  // the slowest game speed used in the game, in percent
    std::string recording;     // the file in records/ that replays the game

    // What makes the record one the file cannot hold ("the initials must be three letters A
    // to Z"), or nothing when it is whole.
    static std::optional<std::string> Fault(const Record& record);

    static bool ValidInitials(std::string_view initials);
    static bool ValidDate(std::string_view date);
    static bool ValidRecording(std::string_view name);

    bool operator==(const Record&) const = default;
};

}  // namespace kipkip
