// tests/support/bmpbytes.h
// BMP files built byte by byte, so a test states its picture in a few lines and can set any
// header field to what it wants to try: a short palette, another header size, a lie about the
// size, compressed rows given as raw bytes.
#pragma once

#include <cstdint>
#include <optional>
#include <vector>

namespace kipkip::test {

struct BmpSpec {
    int width = 1;
    int height = 1;  // negative: the rows are stored top down
    int bits = 8;
    std::uint32_t headerSize = 40;  // 12 writes the OS/2 header with 3-byte palette entries
    std::uint32_t compression = 0;
    std::vector<std::uint32_t> palette;        // 0xRRGGBB
    std::optional<std::uint32_t> colorsUsed;   // the header's count; else the palette's size
    std::vector<std::uint32_t> bitFields;      // written after a 40-byte header when given
    std::optional<std::uint32_t> pixelOffset;  // else where the pixels really start
    // The top row first: palette indices, or pixel values written little-endian.
    std::vector<std::vector<std::uint32_t>> rows;
    // Written instead of `rows` when not empty (compressed data).
    std::vector<std::uint8_t> rawPixels;
};

inline void PutLe(std::vector<std::uint8_t>& out, std::uint32_t value, int bytes)
{
    for (int i = 0; i < bytes; ++i) {
        out.push_back(static_cast<std::uint8_t>(value >> (8 * i)));
    }
}

inline std::vector<std::uint8_t> BmpBytes(const BmpSpec& layout)
{
    std::vector<std::uint8_t> pixels = layout.rawPixels;
    if (pixels.empty()) {
        std::size_t stride = (static_cast<std::size_t>(layout.width) * layout.bits + 31) / 32 * 4;
        // Stored bottom up unless the height is negative.
        for (std::size_t i = 0; i < layout.rows.size(); ++i) {
            const auto& row =
                layout.height < 0 ? layout.rows[i] : layout.rows[layout.rows.size() - 1 - i];
            std::vector<std::uint8_t> packed;
            if (layout.bits < 8) {
                packed.assign(stride, 0);
                for (std::size_t x = 0; x < row.size(); ++x) {
                    std::size_t bit = x * layout.bits;
                    int shift = 8 - layout.bits - static_cast<int>(bit % 8);
                    packed[bit / 8] |= static_cast<std::uint8_t>(row[x] << shift);
                }
            } else {
                for (std::uint32_t value : row) {
                    PutLe(packed, value, layout.bits / 8);
                }
                packed.resize(stride, 0);
            }
            pixels.insert(pixels.end(), packed.begin(), packed.end());
        }
    }

    bool core = layout.headerSize == 12;
    std::vector<std::uint8_t> info;
    PutLe(info, layout.headerSize, 4);
    if (core) {
        PutLe(info, static_cast<std::uint32_t>(layout.width), 2);
        PutLe(info, static_cast<std::uint32_t>(layout.height), 2);
        PutLe(info, 1, 2);
        PutLe(info, static_cast<std::uint32_t>(layout.bits), 2);
    } else {
        PutLe(info, static_cast<std::uint32_t>(layout.width), 4);
        PutLe(info, static_cast<std::uint32_t>(layout.height), 4);
        PutLe(info, 1, 2);
        PutLe(info, static_cast<std::uint32_t>(layout.bits), 2);
        PutLe(info, layout.compression, 4);
        PutLe(info, static_cast<std::uint32_t>(pixels.size()), 4);
        PutLe(info, 2835, 4);
        PutLe(info, 2835, 4);
        PutLe(info, layout.colorsUsed.value_or(static_cast<std::uint32_t>(layout.palette.size())),
              4);
        PutLe(info, 0, 4);
        info.resize(layout.headerSize, 0);
    }
    for (std::uint32_t mask : layout.bitFields) {
        PutLe(info, mask, 4);
    }
    for (std::uint32_t colour : layout.palette) {
        PutLe(info, colour, 3);  // B, G, R
        if (!core) {
            info.push_back(0);
        }
    }

    std::vector<std::uint8_t> out = {'B', 'M'};
    std::uint32_t offset = static_cast<std::uint32_t>(14 + info.size());
    PutLe(out, static_cast<std::uint32_t>(offset + pixels.size()), 4);
    PutLe(out, 0, 4);
    PutLe(out, layout.pixelOffset.value_or(offset), 4);
    out.insert(out.end(), info.begin(), info.end());
    out.insert(out.end(), pixels.begin(), pixels.end());
    return out;
}

}  // namespace kipkip::test
