#include "platform/files.h"

#include <cerrno>
#include <cstdio>
#include <filesystem>
#include <system_error>

#include "platform/asciicase.h"
#include "platform/sjis.h"

namespace kipkip {
namespace {

namespace fs = std::filesystem;

std::string WithForwardSlashes(std::string_view name)
{
    std::string path(name);
    for (char& c : path) {
        if (c == '\\') {
            c = '/';
        }
    }
    return path;
}

bool Exists(const fs::path& path)
{
    std::error_code error;
    return fs::exists(path, error);
}

// File names on disk are UTF-8, so only ASCII letters fold.
bool SameNameIgnoringCase(std::string_view a, std::string_view b)
{
    if (a.size() != b.size()) {
        return false;
    }
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (AsciiLower(a[i]) != AsciiLower(b[i])) {
            return false;
        }
    }
    return true;
}

// The entry of `folder` that `component` names: as written, else the first entry that
// matches it without regard to letter case.
std::optional<fs::path> FindEntry(const fs::path& folder, const std::string& component)
{
    fs::path exact = folder / component;
    if (Exists(exact)) {
        return exact;
    }
    std::error_code error;
    fs::directory_iterator it(folder.empty() ? fs::path(".") : folder, error);
    for (; !error && it != fs::directory_iterator(); it.increment(error)) {
        std::string entry = it->path().filename().string();
        if (SameNameIgnoringCase(entry, component)) {
            return folder / entry;
        }
    }
    return std::nullopt;
}

std::optional<fs::path> FindCaseless(const std::string& path)
{
    fs::path written(path);
    fs::path found = written.root_path();
    for (const fs::path& part : written.relative_path()) {
        if (part.empty() || part == ".") {
            continue;
        }
        auto entry = FindEntry(found, part.string());
        if (!entry) {
            return std::nullopt;
        }
        found = *entry;
    }
    return found;
}

}  // namespace

std::string ResolvePath(std::string_view name)
{
    std::string path = WithForwardSlashes(name);
    if (path.empty() || Exists(path)) {
        return path;
    }
    if (auto found = FindCaseless(path)) {
        return found->string();
    }
    std::string utf8 = SjisToUtf8(path);
    if (utf8 != path) {
        if (Exists(utf8)) {
            return utf8;
        }
        if (auto found = FindCaseless(utf8)) {
            return found->string();
        }
    }
    return path;
}

bool FileExists(std::string_view name)
{
    std::error_code error;
    return fs::is_regular_file(ResolvePath(name), error);
}

std::optional<std::vector<std::uint8_t>> ReadWholeFile(std::string_view name)
{
    std::string path = ResolvePath(name);
    std::error_code error;
    if (!fs::is_regular_file(path, error)) {
        return std::nullopt;
    }
    std::FILE* file = std::fopen(path.c_str(), "rb");
    if (file == nullptr) {
        return std::nullopt;
    }
    std::vector<std::uint8_t> bytes;
    std::uint8_t chunk[65536];
    std::size_t got;
    while ((got = std::fread(chunk, 1, sizeof chunk, file)) > 0) {
        if (bytes.size() + got > kMaxFileSize) {
            std::fclose(file);
            return std::nullopt;
        }
        bytes.insert(bytes.end(), chunk, chunk + got);
    }
    bool failed = std::ferror(file) != 0;
    std::fclose(file);
    if (failed) {
        return std::nullopt;
    }
    return bytes;
}

bool WriteWholeFile(std::string_view name, std::span<const std::uint8_t> bytes)
{
    std::string path = ResolvePath(name);
    std::string temporary = path + ".new";
    std::FILE* file = std::fopen(temporary.c_str(), "wb");
    if (file == nullptr) {
        return false;
    }
    bool written =
        bytes.empty() || std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
    written = (std::fflush(file) == 0) && written;
    written = (std::fclose(file) == 0) && written;
    if (!written || std::rename(temporary.c_str(), path.c_str()) != 0) {
        const int reason = errno;
        std::remove(temporary.c_str());
        errno = reason;
        return false;
    }
    return true;
}

}  // namespace kipkip
