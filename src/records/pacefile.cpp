#include "records/pacefile.h"

#include <cerrno>
#include <cstdint>
#include <cstring>
#include <span>
#include <vector>

#include "platform/files.h"
#include "records/pacetext.h"
#include "records/recordsfile.h"

namespace kipkip {
namespace {

std::string Reason(std::string_view otherwise)
{
    return errno != 0 ? std::string(std::strerror(errno)) : std::string(otherwise);
}

}  // namespace

std::optional<Pace> PaceFile::Load(const std::string& path, std::string& error)
{
    bool missing = false;
    errno = 0;
    const std::optional<std::vector<std::uint8_t>> bytes =
        RecordsFile::ReadBounded(path, missing, PaceText::kMaxSize);
    if (missing) {
        error = path + ": there is no such file";
        return std::nullopt;
    }
    if (!bytes) {
        error = path + ": cannot be read: " + Reason("not a file");
        return std::nullopt;
    }
    return PaceText::Parse(path, *bytes, error);
}

std::optional<std::string> PaceFile::Save(const std::string& path, const Pace& pace)
{
    const std::string text = PaceText::Format(pace);
    errno = 0;
    if (!WriteWholeFile(
            path, std::span(reinterpret_cast<const std::uint8_t*>(text.data()), text.size()))) {
        return "the pace could not be saved to " + path + ": " + Reason("the write failed");
    }
    return std::nullopt;
}

}  // namespace kipkip
