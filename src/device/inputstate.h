// device/inputstate.h
// The seven signals of the input device, in their fixed order. The same record is a key map
// (each byte the key code assigned to the signal) and a state (each byte 0 when the signal is
// not held, non-zero when it is; readers test only for non-zero).
#pragma once

#include <array>
#include <cstdint>

namespace kipkip {

struct InputState {
    std::uint8_t Up = 0;
    std::uint8_t Down = 0;
    std::uint8_t Left = 0;
    std::uint8_t Right = 0;
    std::uint8_t Button1 = 0;
    std::uint8_t Button2 = 0;
    std::uint8_t Button3 = 0;

    bool operator==(const InputState&) const = default;
};

static_assert(sizeof(InputState) == 7, "the record is exactly seven bytes");

// The signals in record order, for code that treats all seven alike.
inline constexpr std::array<std::uint8_t InputState::*, 7> kInputSignals = {
    &InputState::Up,      &InputState::Down,    &InputState::Left,    &InputState::Right,
    &InputState::Button1, &InputState::Button2, &InputState::Button3,
};

}  // namespace kipkip
