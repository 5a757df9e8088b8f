#include "records/recordsfile.h"

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>

#include "platform/files.h"
#include "records/recordstext.h"

namespace kipkip {
namespace {

namespace fs = std::filesystem;

// A name beside `path` that nothing has yet, and the file moved to it; nothing when no name
// was free or the move failed.
std::optional<std::string> SetAside(const std::string& path, std::string& why)
{
    for (int n = 1; n <= RecordsFile::kMaxSetAside; ++n) {
        const std::string aside =
            path + std::string(RecordsFile::kSetAsideSuffix) + std::to_string(n);
        std::error_code error;
        if (fs::exists(fs::symlink_status(aside, error))) {
            continue;
        }
        fs::rename(path, aside, error);
        if (error) {
            why = error.message();
            return std::nullopt;
        }
        return aside;
    }
    why = "every name up to " + path + std::string(RecordsFile::kSetAsideSuffix) +
          std::to_string(RecordsFile::kMaxSetAside) + " is taken";
    return std::nullopt;
}

RecordsFile::Loaded Damaged(const std::string& path, const std::string& error)
{
    std::string why;
    if (std::optional<std::string> aside = SetAside(path, why)) {
        return {{}, true, error + "; it was moved to " + *aside + " and the records start empty"};
    }
    return {{},
            false,
            error + "; it could not be moved aside (" + why +
                "), so the records are not saved in this run"};
}

}  // namespace

std::string RecordsFile::PathIn(std::string_view dataDir)
{
    return dataDir.empty() ? std::string(kName) : (fs::path(dataDir) / kName).string();
}

std::optional<std::vector<std::uint8_t>> RecordsFile::ReadBounded(const std::string& path,
                                                                  bool& missing, std::size_t limit)
{
    std::error_code error;
    missing = !fs::exists(path, error) && !error;
    std::ifstream in(path, std::ios::binary);
    if (missing || !in || fs::is_directory(path, error)) {
        return std::nullopt;
    }
    std::vector<std::uint8_t> bytes(limit + 1);
    in.read(reinterpret_cast<char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    if (in.bad()) {
        return std::nullopt;
    }
    bytes.resize(static_cast<std::size_t>(in.gcount()));
    return bytes;
}

RecordsFile::Loaded RecordsFile::Load(std::string_view dataDir)
{
    const std::string path = PathIn(dataDir);
    bool missing = false;
    errno = 0;
    const std::optional<std::vector<std::uint8_t>> bytes = ReadBounded(path, missing);
    if (missing) {
        return {};
    }
    if (!bytes) {
        return {{},
                false,
                path + ": cannot be read" +
                    (errno != 0 ? std::string(": ") + std::strerror(errno) : "") +
                    "; the records are not saved in this run"};
    }
    RecordsTextResult parsed = RecordsText::Parse(path, *bytes);
    switch (parsed.status) {
        case RecordsTextResult::Status::kRead:
            return {std::move(parsed.table), true, {}};
        case RecordsTextResult::Status::kNewer:
            return {
                {},
                false,
                parsed.error + "; it is left as it is and the records are not saved in this run"};
        case RecordsTextResult::Status::kDamaged:
            break;
    }
    return Damaged(path, parsed.error);
}

std::optional<std::string> RecordsFile::Save(std::string_view dataDir, const RecordsTable& table)
{
    const std::string path = PathIn(dataDir);
    const std::string text = RecordsText::Format(table);
    errno = 0;
    if (!WriteWholeFile(
            path, std::span(reinterpret_cast<const std::uint8_t*>(text.data()), text.size()))) {
        return "the records could not be saved to " + path + ": " +
               (errno != 0 ? std::strerror(errno) : "the write failed");
    }
    return std::nullopt;
}

}  // namespace kipkip
