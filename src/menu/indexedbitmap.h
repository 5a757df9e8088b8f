// menu/indexedbitmap.h
// An uncompressed 8-bit BMP read as its palette indices, for pictures whose indices mean
// something of their own (the menu font's lit pixels and their ring) rather than colours.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <vector>

namespace kipkip {

class IndexedBitmap {
public:
    // The picture, or nothing when the bytes are not an uncompressed 8-bit BMP of a sane size
    // that lies wholly inside them.
    static std::optional<IndexedBitmap> Read(std::span<const std::uint8_t> bytes);

    int Width() const { return width_; }
    int Height() const { return height_; }
    // Index 0 outside the picture.
    std::uint8_t At(int x, int y) const;

private:
    IndexedBitmap(int width, int height) : width_(width), height_(height) {}

    int width_ = 0;
    int height_ = 0;
    std::vector<std::uint8_t> indices_;  // rows top first, width_ bytes each
};

}  // namespace kipkip
