// kernel/kernel.h
// The hub between the devices and the game. Once per tick it turns the input device's seven
// signals and the raw keyboard into words of input bits (held, just pressed, auto-repeated),
// advances the running millisecond clock, and presents each finished frame, cleared or faded
// when asked. It refers to the devices and owns none of them.
#pragma once

#include <cstdint>

#include "device/kivinput.h"
#include "platform/ports.h"

namespace kipkip {

class TKivDraw;
class TKivSound;
class TKivMidi;

inline constexpr std::uint16_t BitUp = 0x01;
inline constexpr std::uint16_t BitDown = 0x02;
inline constexpr std::uint16_t BitLeft = 0x04;
inline constexpr std::uint16_t BitRight = 0x08;
inline constexpr std::uint16_t BitButton1 = 0x10;
inline constexpr std::uint16_t BitButton2 = 0x20;
inline constexpr std::uint16_t BitButton3 = 0x40;
inline constexpr std::uint16_t BitAnyKey = 0x100;

class TKernel {
public:
    // The kinds of fade `fadeWhite` asks for; any other value fades nothing.
    enum FadeKind : std::uint8_t { kFadeToBlack = 0, kFadeToWhite = 1 };

    TKernel(TKivDraw* draw, TKivMidi* midi, TKivInput* input, TKivSound* sound);

    // One tick of `ms` milliseconds: input (when there is an input device), then the clock.
    void Tick(int ms);
    // Clears or fades the frame as asked, then shows it.
    void Present();
    void SetKeyRepeat(int delay, int interval);

    TKivDraw* draw;
    TKivSound* sound;
    TKivInput* input;
    TKivMidi* midi;

    KeyboardState keyboard{};  // each key's byte as read in the previous tick
    std::int32_t elapsed = 0;
    std::int32_t fadeLevel = 0;
    std::uint8_t fadeWhite = kFadeToBlack;  // a FadeKind
    std::uint8_t clearScreen = 0;
    std::uint16_t held = 0;
    std::uint16_t prevHeld = 0;
    std::uint16_t pressed = 0;
    std::uint16_t repeated = 0;
    std::int32_t lastKey = 0;  // the highest key that went down in this tick, -1 for none
    std::int32_t repeatCountdown = 160;
    std::int32_t repeatDelay = 160;
    std::int32_t repeatInterval = 40;

private:
    void ReadPad(int ms);
    void ReadKeyboard();
};

}  // namespace kipkip
