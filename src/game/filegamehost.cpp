#include "game/filegamehost.h"

#include <cerrno>
#include <cstring>
#include <ctime>

#include "platform/files.h"

namespace kipkip {

std::uint32_t FileGameHost::NewGameSeed()
{
    return static_cast<std::uint32_t>(std::time(nullptr));
}

std::optional<std::vector<std::uint8_t>> FileGameHost::ReadScoreFile(std::string_view name,
                                                                     std::size_t limit)
{
    auto bytes = ReadWholeFile(name);
    if (bytes && bytes->size() > limit) {
        bytes->resize(limit);
    }
    return bytes;
}

void FileGameHost::WriteScoreFile(std::string_view name, std::span<const std::uint8_t> bytes)
{
    std::vector<std::uint8_t> content(bytes.begin(), bytes.end());
    if (auto old = ReadWholeFile(name); old && old->size() > content.size()) {
        content.insert(content.end(), old->begin() + static_cast<std::ptrdiff_t>(content.size()),
                       old->end());
    }
    // A failed write leaves the old file, and the game goes on.
    if (!WriteWholeFile(name, content) && onWriteFailure_) {
        onWriteFailure_(name, std::strerror(errno));
    }
}

}  // namespace kipkip
