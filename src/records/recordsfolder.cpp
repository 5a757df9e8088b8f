#include "records/recordsfolder.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>

#include "platform/files.h"
#include "records/recordsfile.h"

namespace kipkip {
namespace {

namespace fs = std::filesystem;

fs::path Folder(std::string_view dataDir)
{
    return fs::path(dataDir) / RecordsFile::kRecordingsFolder;
}

bool InUse(const RecordsTable& table, const std::string& name)
{
    return std::any_of(table.Records().begin(), table.Records().end(),
                       [&name](const Record& record) { return record.recording == name; });
}

}  // namespace

std::string RecordsFolder::PathOf(std::string_view dataDir, std::string_view name)
{
    return (Folder(dataDir) / name).string();
}

std::string RecordsFolder::PaceName(std::string_view recording)
{
    std::string_view stem = recording;
    if (stem.ends_with(kRecordingExtension)) {
        stem.remove_suffix(kRecordingExtension.size());
    }
    return std::string(stem) + std::string(kPaceExtension);
}

std::optional<std::string> RecordsFolder::FreeName(std::string_view dataDir,
                                                   const RecordsTable& table)
{
    for (int number = 1; number <= kMaxNumber; ++number) {
        char digits[8];
        std::snprintf(digits, sizeof digits, "%04d", number);
        const std::string name = digits + std::string(kRecordingExtension);
        std::error_code error;
        if (!InUse(table, name) && !fs::exists(fs::symlink_status(PathOf(dataDir, name), error)) &&
            !fs::exists(fs::symlink_status(PathOf(dataDir, PaceName(name)), error))) {
            return name;
        }
    }
    return std::nullopt;
}

std::optional<std::string> RecordsFolder::Write(std::string_view dataDir, std::string_view name,
                                                std::string_view text)
{
    std::error_code error;
    fs::create_directories(Folder(dataDir), error);
    const std::string path = PathOf(dataDir, name);
    if (error) {
        return path + " cannot be written: " + error.message();
    }
    errno = 0;
    if (!WriteWholeFile(
            path, std::span(reinterpret_cast<const std::uint8_t*>(text.data()), text.size()))) {
        return path +
               " cannot be written: " + (errno != 0 ? std::strerror(errno) : "the write failed");
    }
    return std::nullopt;
}

void RecordsFolder::Remove(std::string_view dataDir, const Record& record)
{
    std::error_code ignored;
    fs::remove(PathOf(dataDir, record.recording), ignored);
    fs::remove(PathOf(dataDir, PaceName(record.recording)), ignored);
}

}  // namespace kipkip
