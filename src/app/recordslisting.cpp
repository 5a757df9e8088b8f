#include "app/recordslisting.h"

#include <cstdio>
#include <filesystem>

#include "app/exitstatus.h"
#include "records/recordsfile.h"
#include "records/recordstext.h"

namespace kipkip {

std::string RecordsListing::Line(std::size_t place, const Record& record)
{
    char line[160];
    std::snprintf(line, sizeof line, "%2zu. %s %6d m  best %6d m  level %d  coins %d  %s", place,
                  record.initials.c_str(), record.score, record.best, record.level, record.coins,
                  record.date.c_str());
    std::string text = line;
    // Full speed goes without saying; a slower game is marked as the records screen marks it.
    if (record.speed < Record::kFullSpeed) {
        text += "  speed " + std::to_string(record.speed) + "%";
    }
    return text;
}

int RecordsListing::Print(std::string_view dataDir, std::ostream& out, std::ostream& err)
{
    // As for a game: a data directory named but not there is a mistake, not an empty table.
    std::error_code error;
    if (!dataDir.empty() && !std::filesystem::is_directory(dataDir, error)) {
        err << "kipkip: the data directory " << dataDir << " does not exist\n";
        return exitstatus::kBadInput;
    }
    const std::string path = RecordsFile::PathIn(dataDir);
    bool missing = false;
    const std::optional<std::vector<std::uint8_t>> bytes = RecordsFile::ReadBounded(path, missing);
    if (missing) {
        out << "no records yet\n";
        return exitstatus::kDone;
    }
    if (!bytes) {
        err << "kipkip: " << path << ": cannot be read\n";
        return exitstatus::kFatal;
    }
    const RecordsTextResult parsed = RecordsText::Parse(path, *bytes);
    if (parsed.status != RecordsTextResult::Status::kRead) {
        err << "kipkip: " << parsed.error << '\n';
        return exitstatus::kFatal;
    }
    if (parsed.table.Empty()) {
        out << "no records yet\n";
    }
    for (std::size_t i = 0; i < parsed.table.Records().size(); ++i) {
        out << Line(i + 1, parsed.table.Records()[i]) << '\n';
    }
    return exitstatus::kDone;
}

}  // namespace kipkip
