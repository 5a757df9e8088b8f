#include "menu/indexedbitmap.h"

#include <cstddef>
#include <cstdlib>

#include "platform/bytecursor.h"

namespace kipkip {

namespace {

constexpr std::size_t kFileHeaderSize = 14;
constexpr std::size_t kPixelOffsetAt = 10;
constexpr std::size_t kInfoSize = 40;  // BITMAPINFOHEADER, the smallest header we read
constexpr std::size_t kWidthAt = kFileHeaderSize + 4;
constexpr std::size_t kHeightAt = kFileHeaderSize + 8;
constexpr std::size_t kBitsAt = kFileHeaderSize + 14;
constexpr std::size_t kCompressionAt = kFileHeaderSize + 16;
constexpr std::uint32_t kUncompressed = 0;
// Far above any picture of ours; keeps a hostile header from asking for gigabytes.
constexpr std::int32_t kMaxSide = 4096;

}  // namespace

std::optional<IndexedBitmap> IndexedBitmap::Read(std::span<const std::uint8_t> bytes)
{
    ByteCursor in(bytes);
    if (!in.IdAt(0, "BM") || !in.Has(0, kFileHeaderSize + kInfoSize) || in.Le16At(kBitsAt) != 8 ||
        in.Le32At(kCompressionAt) != kUncompressed) {
        return std::nullopt;
    }
    const auto width = static_cast<std::int32_t>(in.Le32At(kWidthAt));
    const auto height = static_cast<std::int32_t>(in.Le32At(kHeightAt));
    const bool topDown = height < 0;
    const std::int64_t rows = topDown ? -static_cast<std::int64_t>(height) : height;
    if (width <= 0 || width > kMaxSide || rows <= 0 || rows > kMaxSide) {
        return std::nullopt;
    }
    const std::size_t stride = (static_cast<std::size_t>(width) + 3) & ~std::size_t{3};
    const std::size_t offset = in.Le32At(kPixelOffsetAt);
    if (!in.Has(offset, stride * static_cast<std::size_t>(rows))) {
        return std::nullopt;
    }
    IndexedBitmap picture(width, static_cast<int>(rows));
    picture.indices_.reserve(static_cast<std::size_t>(width) * static_cast<std::size_t>(rows));
    for (std::int64_t y = 0; y < rows; ++y) {
        const std::int64_t fileRow = topDown ? y : rows - 1 - y;
        auto row = in.BytesAt(offset + stride * static_cast<std::size_t>(fileRow),
                              static_cast<std::size_t>(width));
        picture.indices_.insert(picture.indices_.end(), row.begin(), row.end());
    }
    return picture;
}

std::uint8_t IndexedBitmap::At(int x, int y) const
{
    if (x < 0 || y < 0 || x >= width_ || y >= height_) {
        return 0;
    }
    return indices_[static_cast<std::size_t>(y) * static_cast<std::size_t>(width_) +
                    static_cast<std::size_t>(x)];
}

}  // namespace kipkip
