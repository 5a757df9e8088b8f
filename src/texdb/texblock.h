// texdb/texblock.h
// One block of a data text: its entries in the order of their lines. A key keeps at most 15
// bytes and is compared byte for byte.
#pragma once

#include <algorithm>
#include <array>
#include <cstring>
#include <string_view>
#include <vector>

#include "texdb/texvalue.h"

namespace kipkip {

struct TexEntry {
    static constexpr std::size_t kMaxKey = 15;

    std::array<char, 24> key{};
    TexValue value;

    std::string_view Key() const
    {
        return std::string_view(key.data(), strnlen(key.data(), kMaxKey));
    }

    // A longer key is cut to its first 15 bytes.
    void SetKey(std::string_view text)
    {
        key.fill(0);
        std::memcpy(key.data(), text.data(), std::min(text.size(), kMaxKey));
    }
};

struct TexBlock {
    std::vector<TexEntry> entries;

    int EntryCount() const { return static_cast<int>(entries.size()); }
};

}  // namespace kipkip
