// game/timebank.h
#pragma once

#include <cstdint>

namespace kipkip {

// What a taken coin credits: the main mode keeps the clock and implements this, so the
// coin needs no knowledge of the mode and tests can hand it a counter instead.
class TimeBank {
public:
    virtual ~TimeBank() = default;
    virtual void AddTime(std::int32_t seconds) = 0;
};

}  // namespace kipkip
