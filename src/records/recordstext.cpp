#include "records/recordstext.h"

#include <algorithm>
#include <optional>
#include <vector>

#include "platform/textlines.h"
#include "platform/wholenumber.h"

namespace kipkip {
namespace {

using Status = RecordsTextResult::Status;

constexpr std::string_view kInitialsWord = "initials";
constexpr std::string_view kRecordWord = "record";
constexpr std::string_view kFieldsComment =
    "# record initials score best level coins date speed recording";
// "record" and its eight fields; one word more shows a line with too many.
constexpr std::size_t kRecordWords = 9;

std::string_view AsText(std::span<const std::uint8_t> bytes)
{
    return {reinterpret_cast<const char*>(bytes.data()), bytes.size()};
}

// A word of the file as a message shows it: its first 32 bytes, each one outside printable
// ASCII as '?', so that a damaged file's bytes never reach a terminal or a JSON report.
std::string Shown(std::string_view word)
{
    std::string shown(word.substr(0, 32));
    std::ranges::replace_if(
        shown, [](char c) { return c < 0x20 || c > 0x7E; }, '?');
    return shown;
}

// The version the first line names: 0 when the line is not "kipkip-records <number>".
std::uint64_t Version(std::string_view text)
{
    const std::string_view line =
        text.substr(0, std::min(text.find_first_of("\r\n"), RecordsText::kMaxLineLength));
    const std::vector<std::string_view> words = Words(line, 3);
    std::uint64_t version = 0;
    if (words.size() != 2 || words[0] != RecordsText::kMagic ||
        ParseWholeNumber<std::uint64_t>("version", words[1], 1, UINT64_MAX, version)) {
        return 0;
    }
    return version;
}

// The numbers of a record line: what each is called in a message, its word and its range.
struct NumberField {
    std::string_view what;
    std::size_t word;
    std::int32_t low;
    std::int32_t high;
    std::int32_t Record::*field;
};

constexpr NumberField kNumberFields[] = {
    {"the score", 2, 0, Record::kMaxScore, &Record::score},
    {"the best height", 3, 0, Record::kMaxHeight, &Record::best},
    {"the level", 4, Record::kMinLevel, Record::kMaxLevel, &Record::level},
    {"the coin count", 5, 0, Record::kMaxCoins, &Record::coins},
    {"the speed", 7, Record::kSlowestSpeed, Record::kFullSpeed, &Record::speed},
};

std::optional<std::string> ReadRecord(const std::vector<std::string_view>& words, Record& record)
{
    if (words.size() != kRecordWords) {
        return "a record has eight fields: initials score best level coins date speed "
               "recording";
    }
    for (const NumberField& number : kNumberFields) {
        if (std::optional<std::string> fault = ParseWholeNumber(
                number.what, words[number.word], number.low, number.high, record.*number.field)) {
            return fault;
        }
    }
    record.initials = words[1];
    record.date = words[6];
    record.recording = words[8];
    return Record::Fault(record);
}

// One line after the first; nothing when it is good.
std::optional<std::string> ReadLine(std::string_view line, RecordsTable& table, bool& sawInitials)
{
    if (line.size() > RecordsText::kMaxLineLength) {
        return "the line is longer than " + std::to_string(RecordsText::kMaxLineLength) +
               " characters";
    }
    const std::vector<std::string_view> words = Words(line, kRecordWords + 1);
    if (words.empty() || words[0].starts_with('#')) {
        return std::nullopt;
    }
    if (words[0] == kInitialsWord) {
        if (sawInitials) {
            return "the initials are given twice";
        }
        sawInitials = true;
        if (words.size() != 2 || !table.SetLastInitials(words[1])) {
            return "\"initials\" takes three letters A to Z";
        }
        return std::nullopt;
    }
    if (words[0] == kRecordWord) {
        if (table.Records().size() == RecordsTable::kMaxRecords) {
            return "too long: more than " + std::to_string(RecordsTable::kMaxRecords) + " records";
        }
        Record record;
        if (std::optional<std::string> fault = ReadRecord(words, record)) {
            return fault;
        }
        table.Insert(std::move(record));
        return std::nullopt;
    }
    return "\"" + Shown(words[0]) + "\" does not begin a line of this file";
}

RecordsTextResult Failure(Status status, std::string_view name, std::string what)
{
    return {status, {}, std::string(name) + ": " + what};
}

}  // namespace

RecordsTextResult RecordsText::Parse(std::string_view name, std::span<const std::uint8_t> bytes)
{
    const std::string_view text = AsText(bytes);
    const std::uint64_t version = Version(text);
    if (version > kVersion) {
        return Failure(Status::kNewer, name,
                       "written by a later version of the game (records version " +
                           std::to_string(version) + ")");
    }
    if (version != kVersion) {
        return Failure(Status::kDamaged, name,
                       "line 1: not a records file: the first line must be \"" +
                           std::string(kMagic) + " " + std::to_string(kVersion) + "\"");
    }
    if (text.size() > kMaxSize) {
        return Failure(Status::kDamaged, name,
                       "too long: larger than " + std::to_string(kMaxSize) + " bytes");
    }
    RecordsTextResult result;
    bool sawInitials = false;
    std::string error;
    ForEachLine(text, [&](std::size_t number, std::string_view line) {
        std::optional<std::string> fault =
            number == 1 ? std::nullopt : ReadLine(line, result.table, sawInitials);
        if (fault) {
            error = "line " + std::to_string(number) + ": " + *fault;
        }
        return !fault;
    });
    if (!error.empty()) {
        return Failure(Status::kDamaged, name, error);
    }
    return result;
}

std::string RecordsText::Format(const RecordsTable& table)
{
    std::string text = std::string(kMagic) + " " + std::to_string(kVersion) + "\n";
    text += kFieldsComment;
    text += '\n';
    if (!table.LastInitials().empty()) {
        text += std::string(kInitialsWord) + " " + table.LastInitials() + "\n";
    }
    for (const Record& r : table.Records()) {
        text += std::string(kRecordWord) + " " + r.initials + " " + std::to_string(r.score) + " " +
                std::to_string(r.best) + " " + std::to_string(r.level) + " " +
                std::to_string(r.coins) + " " + r.date + " " + std::to_string(r.speed) + " " +
                r.recording + "\n";
    }
    return text;
}

}  // namespace kipkip
