#include "records/record.h"

#include <algorithm>
#include <charconv>
#include <chrono>

namespace kipkip {
namespace {

bool Digits(std::string_view text, int& value)
{
    auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    return error == std::errc() && end == text.data() + text.size() &&
           std::ranges::all_of(text, [](char c) { return c >= '0' && c <= '9'; });
}

bool InRange(std::int32_t value, std::int32_t low, std::int32_t high)
{
    return value >= low && value <= high;
}

}  // namespace

bool Record::ValidInitials(std::string_view initials)
{
    return initials.size() == kInitialsLength &&
           std::ranges::all_of(initials, [](char c) { return c >= 'A' && c <= 'Z'; });
}

bool Record::ValidDate(std::string_view date)
{
    int year = 0;
    int month = 0;
    int day = 0;
    if (date.size() != 10 || date[4] != '-' || date[7] != '-' || !Digits(date.substr(0, 4), year) ||
        !Digits(date.substr(5, 2), month) || !Digits(date.substr(8, 2), day)) {
        return false;
    }
    const std::chrono::year_month_day ymd{std::chrono::year(year),
                                          std::chrono::month(static_cast<unsigned>(month)),
                                          std::chrono::day(static_cast<unsigned>(day))};
    return ymd.ok();
}

bool Record::ValidRecording(std::string_view name)
{
    auto plain = [](char c) {
        return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') ||
               c == '.' || c == '_' || c == '-';
    };
    // A leading dot would allow "." and ".." and hidden files; '/' is not a plain character.
    return !name.empty() && name.size() <= kMaxRecordingLength && name.front() != '.' &&
           std::ranges::all_of(name, plain);
}

std::optional<std::string> Record::Fault(const Record& record)
{
    if (!ValidInitials(record.initials)) {
        return "the initials must be three letters A to Z";
    }
    if (!InRange(record.score, 0, kMaxScore)) {
        return "the score must be from 0 to " + std::to_string(kMaxScore);
    }
    if (!InRange(record.best, record.score, kMaxHeight)) {
        return "the best height must be from the score to " + std::to_string(kMaxHeight);
    }
    if (!InRange(record.level, kMinLevel, kMaxLevel)) {
        return "the level must be from " + std::to_string(kMinLevel) + " to " +
               std::to_string(kMaxLevel);
    }
    if (!InRange(record.coins, 0, kMaxCoins)) {
        return "the coin count must be from 0 to " + std::to_string(kMaxCoins);
    }
    if (!ValidDate(record.date)) {
        return "the date must be a day written YYYY-MM-DD";
    }
    if (!InRange(record.speed, kSlowestSpeed, kFullSpeed)) {
        return "the speed must be from " + std::to_string(kSlowestSpeed) + " to " +
               std::to_string(kFullSpeed);
    }
    if (!ValidRecording(record.recording)) {
        return "the recording must be a plain file name of up to " +
               std::to_string(kMaxRecordingLength) +
               " letters, digits, '.', '_' and '-', not starting with '.'";
    }
    return std::nullopt;
}

}  // namespace kipkip
