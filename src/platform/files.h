// platform/files.h
// The file layer under every reader and writer of the game. Names may be written the Windows
// way ("files\data.toy"): backslashes separate folders, and a name that does not exist as
// written is looked up again folder by folder without regard to letter case, and with its
// Shift-JIS bytes converted to UTF-8, so data made on Windows works as it is.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace kipkip {

// Whole files are read into memory; nothing the game reads comes near this, and a larger file
// is refused instead of exhausting memory.
inline constexpr std::size_t kMaxFileSize = 64 * 1024 * 1024;

// The path on disk that a name refers to: the existing file or folder it matches, or else the
// name with forward slashes (where a new file would be created).
std::string ResolvePath(std::string_view name);

bool FileExists(std::string_view name);

// The whole content, exactly the file's length; nothing when the file cannot be read or is
// larger than kMaxFileSize.
std::optional<std::vector<std::uint8_t>> ReadWholeFile(std::string_view name);

// Replaces the file's content. The bytes go to a temporary file beside it that is then renamed
// over it, so a failed write never leaves a half-written file behind; errno then says why.
bool WriteWholeFile(std::string_view name, std::span<const std::uint8_t> bytes);

}  // namespace kipkip
