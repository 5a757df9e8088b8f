#include "platform/soundfontguard.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <fstream>
#include <optional>
#include <vector>

#include "platform/bytecursor.h"

namespace kipkip {
namespace {

constexpr std::size_t kChunkHeader = 8;     // a four-character id and a 32-bit length
constexpr std::size_t kSampleHeader = 46;   // one record of the sample headers
constexpr std::size_t kGuardPoints = 46;    // the zero points after every sample
constexpr std::size_t kPointBytes = 2;      // 16-bit sample points
constexpr std::size_t kMaxSamples = 65536;  // the format's sample index is 16 bits
constexpr std::uint16_t kRomSample = 0x8000;

struct Span {
    std::uint64_t offset = 0;
    std::uint64_t size = 0;
};

// The sample points and the sample headers of a SoundFont, as found among its chunks.
struct Layout {
    std::optional<Span> points;
    std::optional<Span> headers;
};

class FontReader {
public:
    explicit FontReader(std::istream& in) : in_(in)
    {
        in_.seekg(0, std::ios::end);
        const auto end = in_.tellg();
        size_ = end > 0 ? static_cast<std::uint64_t>(end) : 0;
    }

    std::uint64_t Size() const { return size_; }

    // The n bytes at offset, or none when they do not all lie inside the file.
    std::optional<std::vector<std::uint8_t>> Read(std::uint64_t offset, std::size_t n)
    {
        if (offset > size_ || n > size_ - offset) {
            return std::nullopt;
        }
        std::vector<std::uint8_t> bytes(n);
        in_.clear();
        in_.seekg(static_cast<std::streamoff>(offset));
        if (!in_.read(reinterpret_cast<char*>(bytes.data()), static_cast<std::streamsize>(n))) {
            return std::nullopt;
        }
        return bytes;
    }

private:
    std::istream& in_;
    std::uint64_t size_ = 0;
};

// Walks the chunks in [offset, end) and hands each (id, its body) to visit; false when a
// chunk runs past the end.
template <typename Visit>
bool WalkChunks(FontReader& font, std::uint64_t offset, std::uint64_t end, Visit visit)
{
    while (offset + kChunkHeader <= end) {
        const auto header = font.Read(offset, kChunkHeader);
        if (!header) {
            return false;
        }
        const ByteCursor cursor(*header);
        const Span body{offset + kChunkHeader, cursor.Le32At(4)};
        if (body.size > end - body.offset) {
            return false;
        }
        if (!visit(cursor.IdText(0), body)) {
            return false;
        }
        offset = body.offset + body.size + (body.size & 1);  // chunks are padded to even
    }
    return true;
}

std::optional<Layout> FindLayout(FontReader& font)
{
    const auto riff = font.Read(0, kChunkHeader + 4);
    if (!riff) {
        return std::nullopt;
    }
    const ByteCursor head(*riff);
    if (!head.IdAt(0, "RIFF") || !head.IdAt(kChunkHeader, "sfbk")) {
        return std::nullopt;
    }
    const std::uint64_t end = std::min<std::uint64_t>(font.Size(), kChunkHeader + head.Le32At(4));
    Layout layout;
    const bool walked = WalkChunks(font, kChunkHeader + 4, end, [&](auto id, Span list) {
        if (id != "LIST" || list.size < 4) {
            return true;
        }
        const auto type = font.Read(list.offset, 4);
        if (!type) {
            return false;
        }
        const auto listType = ByteCursor(*type).IdText(0);
        return WalkChunks(font, list.offset + 4, list.offset + list.size, [&](auto sub, Span body) {
            if (listType == "sdta" && sub == "smpl") {
                layout.points = body;
            } else if (listType == "pdta" && sub == "shdr") {
                layout.headers = body;
            }
            return true;
        });
    });
    if (!walked || !layout.points || !layout.headers) {
        return std::nullopt;
    }
    return layout;
}

bool GuardIsSilent(FontReader& font, const Span& points, std::uint32_t sampleEnd)
{
    const std::uint64_t offset = std::uint64_t{sampleEnd} * kPointBytes;
    constexpr std::size_t kGuardBytes = kGuardPoints * kPointBytes;
    if (offset > points.size || points.size - offset < kGuardBytes) {
        return false;
    }
    const auto guard = font.Read(points.offset + offset, kGuardBytes);
    return guard && std::all_of(guard->begin(), guard->end(), [](auto b) { return b == 0; });
}

}  // namespace

bool EverySampleGuarded(std::istream& in)
{
    FontReader font(in);
    const auto layout = FindLayout(font);
    if (!layout) {
        return false;
    }
    const std::size_t records = layout->headers->size / kSampleHeader;
    if (records < 2 || records > kMaxSamples) {
        return false;  // no sample before the closing record, or more than the format indexes
    }
    const auto headers = font.Read(layout->headers->offset, records * kSampleHeader);
    if (!headers) {
        return false;
    }
    const ByteCursor cursor(*headers);
    for (std::size_t i = 0; i + 1 < records; ++i) {  // the last record only closes the list
        const std::size_t record = i * kSampleHeader;
        const std::uint32_t end = cursor.Le32At(record + 24);
        const std::uint16_t type = cursor.Le16At(record + 44);
        if ((type & kRomSample) == 0 && !GuardIsSilent(font, *layout->points, end)) {
            return false;
        }
    }
    return true;
}

bool EverySampleGuarded(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return in && EverySampleGuarded(in);
}

}  // namespace kipkip
