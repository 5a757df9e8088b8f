// platform/byteorder.h
// Whole numbers stored in files byte by byte: little-endian in RIFF and BMP files, big-endian in
// MIDI files. Callers check that the bytes lie inside their buffer before they load or store
// them.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace kipkip {

inline std::uint16_t LoadLe16(const std::uint8_t* p)
{
    return static_cast<std::uint16_t>(p[0] | p[1] << 8);
}

inline std::uint32_t LoadLe32(const std::uint8_t* p)
{
    return static_cast<std::uint32_t>(p[0]) | static_cast<std::uint32_t>(p[1]) << 8 |
           static_cast<std::uint32_t>(p[2]) << 16 | static_cast<std::uint32_t>(p[3]) << 24;
}

inline std::uint16_t LoadBe16(const std::uint8_t* p)
{
    return static_cast<std::uint16_t>(p[0] << 8 | p[1]);
}

inline std::uint32_t LoadBe32(const std::uint8_t* p)
{
    return static_cast<std::uint32_t>(p[0]) << 24 | static_cast<std::uint32_t>(p[1]) << 16 |
           static_cast<std::uint32_t>(p[2]) << 8 | static_cast<std::uint32_t>(p[3]);
}

inline void StoreLe32(std::uint8_t* p, std::uint32_t value)
{
    for (int i = 0; i < 4; ++i) {
        p[i] = static_cast<std::uint8_t>(value >> (8 * i));
    }
}

inline void AppendLe16(std::vector<std::uint8_t>& out, std::uint16_t value)
{
    out.push_back(static_cast<std::uint8_t>(value));
    out.push_back(static_cast<std::uint8_t>(value >> 8));
}

inline void AppendLe32(std::vector<std::uint8_t>& out, std::uint32_t value)
{
    AppendLe16(out, static_cast<std::uint16_t>(value));
    AppendLe16(out, static_cast<std::uint16_t>(value >> 16));
}

// `n` bytes from `offset` lie inside a buffer of `size` bytes (written so that it cannot
// overflow).
constexpr bool FitsInside(std::size_t size, std::size_t offset, std::size_t n)
{
    return offset <= size && n <= size - offset;
}

}  // namespace kipkip
