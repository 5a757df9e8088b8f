#include "platform/soundfontsamples.h"

#include <algorithm>
#include <fstream>

#include "platform/bytecursor.h"

namespace kipkip {
namespace {

constexpr std::size_t kChunkHeader = 8;     // a four-character id and a 32-bit length
constexpr std::size_t kSampleHeader = 46;   // one record of the sample headers
constexpr std::size_t kMaxSamples = 65536;  // the format's sample index is 16 bits
constexpr std::uint16_t kRomSample = 0x8000;
constexpr std::uint16_t kCompressedSample = 0x10;

using Span = SoundFontSamples::Chunk;

// The chunks of a SoundFont that place its samples.
struct Layout {
    std::optional<Span> points;
    std::optional<Span> lowBytes;
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

// Walks the chunks in [offset, end) and hands each (id, its body) to visit; false when a chunk
// runs past the end or visit says so.
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
        if (body.size > end - body.offset || !visit(cursor.IdText(0), body)) {
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
    const std::uint64_t end =
        std::min<std::uint64_t>(font.Size(), std::uint64_t{kChunkHeader} + head.Le32At(4));
    Layout layout;
    const auto walked = WalkChunks(font, kChunkHeader + 4, end, [&](auto id, Span list) {
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
            } else if (listType == "sdta" && sub == "sm24") {
                layout.lowBytes = body;
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

}  // namespace

std::optional<SoundFontSamples> SoundFontSamples::Read(std::istream& in)
{
    FontReader font(in);
    const auto layout = FindLayout(font);
    if (!layout) {
        return std::nullopt;
    }
    const std::size_t records = layout->headers->size / kSampleHeader;
    if (records > kMaxSamples) {
        return std::nullopt;
    }
    const auto headers = font.Read(layout->headers->offset, records * kSampleHeader);
    if (!headers) {
        return std::nullopt;
    }
    SoundFontSamples found;
    found.points_ = *layout->points;
    found.lowBytes_ = layout->lowBytes;
    const ByteCursor cursor(*headers);
    const std::uint64_t pointCount = layout->points->size / 2;
    for (std::size_t i = 0; i + 1 < records; ++i) {  // the last record only closes the list
        const std::size_t record = i * kSampleHeader;
        const Extent extent{cursor.Le32At(record + 20), cursor.Le32At(record + 24)};
        const std::uint16_t type = cursor.Le16At(record + 44);
        if ((type & kCompressedSample) != 0) {
            return std::nullopt;  // its extent counts bytes of compressed data, not points
        }
        if ((type & kRomSample) == 0 && extent.start < extent.end && extent.end <= pointCount) {
            found.samples_.push_back(extent);
        }
    }
    std::sort(found.samples_.begin(), found.samples_.end(),
              [](const Extent& a, const Extent& b) { return a.start < b.start; });
    return found;
}

std::optional<SoundFontSamples> SoundFontSamples::Read(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        return std::nullopt;
    }
    return Read(in);
}

std::uint64_t SoundFontSamples::Kept(std::uint64_t offset, std::uint64_t count) const
{
    const std::uint64_t kept = KeptIn(points_, 2, offset, count);
    return kept == count && lowBytes_ ? KeptIn(*lowBytes_, 1, offset, count) : kept;
}

std::uint64_t SoundFontSamples::KeptIn(const Chunk& chunk, std::uint64_t bytesPerPoint,
                                       std::uint64_t offset, std::uint64_t count) const
{
    if (offset < chunk.offset || offset - chunk.offset >= chunk.size ||
        (offset - chunk.offset) % bytesPerPoint != 0) {
        return count;
    }
    const std::uint64_t point = (offset - chunk.offset) / bytesPerPoint;
    const auto sample = std::lower_bound(
        samples_.begin(), samples_.end(), point,
        [](const Extent& extent, std::uint64_t start) { return extent.start < start; });
    if (sample == samples_.end() || sample->start != point) {
        return count;
    }
    return std::min(count, std::uint64_t{sample->end - sample->start} * bytesPerPoint);
}

}  // namespace kipkip
