// kernel/clocksum.h
// The game's millisecond clocks are signed 32-bit sums that wrap round as two's complement
// does: after 2147483647 ms (24.8 days of play) comes -2147483648. Summed in unsigned
// arithmetic, so that the wrap is defined.
#pragma once

#include <cstdint>

namespace kipkip {

inline std::int32_t ClockSum(std::int32_t clock, std::int32_t ms)
{
    return static_cast<std::int32_t>(static_cast<std::uint32_t>(clock) +
                                     static_cast<std::uint32_t>(ms));
}

}  // namespace kipkip
