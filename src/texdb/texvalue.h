// texdb/texvalue.h
// The values of one data line: 16 bytes seen as text (up to 15 bytes and a zero), four 32-bit
// integers, eight 16-bit integers or four floats. The views copy bytes, so any view of any
// content is defined; the all-zero value reads as empty text, 0 and 0.0.
#pragma once

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstring>
#include <string_view>

namespace kipkip {

struct TexValue {
    static constexpr std::size_t kSize = 16;
    static constexpr std::size_t kMaxText = kSize - 1;

    std::array<std::uint8_t, kSize> bytes{};

    // The text, then zero bytes up to 16; a longer text is cut to 15 bytes.
    static TexValue FromText(std::string_view text)
    {
        TexValue value;
        std::memcpy(value.bytes.data(), text.data(), std::min(text.size(), kMaxText));
        return value;
    }

    std::string_view Text() const
    {
        const char* begin = reinterpret_cast<const char*>(bytes.data());
        return std::string_view(begin, strnlen(begin, kMaxText));
    }

    std::int32_t Int(int i) const { return Read<std::int32_t>(i); }
    std::int16_t Short(int i) const { return Read<std::int16_t>(i); }
    float Real(int i) const { return Read<float>(i); }

    void SetInt(int i, std::int32_t v) { Write(i, v); }
    void SetShort(int i, std::int16_t v) { Write(i, v); }
    void SetReal(int i, float v) { Write(i, v); }

    bool operator==(const TexValue&) const = default;

private:
    // A slot outside the 16 bytes reads as 0 and takes no writes.
    template <typename T>
    static bool InRange(int i)
    {
        return i >= 0 && static_cast<std::size_t>(i) < kSize / sizeof(T);
    }

    template <typename T>
    T Read(int i) const
    {
        T v{};
        if (InRange<T>(i)) {
            std::memcpy(&v, bytes.data() + i * sizeof(T), sizeof v);
        }
        return v;
    }

    template <typename T>
    void Write(int i, T v)
    {
        if (InRange<T>(i)) {
            std::memcpy(bytes.data() + i * sizeof(T), &v, sizeof v);
        }
    }
};

}  // namespace kipkip
