#include "menu/menucontrols.h"

namespace kipkip {
namespace {

constexpr std::uint8_t kEscapeKey = 0x01;
constexpr std::uint8_t kReturn = 0x1C;
constexpr std::uint8_t kKeypadEnter = 0x9C;
constexpr std::uint8_t kCursorUp = 0xC8;
constexpr std::uint8_t kCursorDown = 0xD0;
constexpr std::uint8_t kCursorLeft = 0xCB;
constexpr std::uint8_t kCursorRight = 0xCD;

}  // namespace

std::array<bool, MenuControls::kSignalCount> MenuControls::Held(const std::bitset<256>& keys,
                                                                const JoystickReading& pad,
                                                                const Bindings& bindings)
{
    const InputState& bound = bindings.keys;
    std::array<bool, kSignalCount> held{};
    held[kUp] = keys[bound.Up] || keys[kCursorUp] || pad.y <= -kStickLean;
    held[kDown] = keys[bound.Down] || keys[kCursorDown] || pad.y >= kStickLean;
    held[kLeft] = keys[bound.Left] || keys[kCursorLeft] || pad.x <= -kStickLean;
    held[kRight] = keys[bound.Right] || keys[kCursorRight] || pad.x >= kStickLean;
    held[kChoose] = keys[bound.Button1] || keys[kReturn] || keys[kKeypadEnter] ||
                    pad.Button(PadButton::South) || pad.Button(bindings.padButtons[0]);
    held[kBack] =
        keys[bound.Button2] || pad.Button(PadButton::East) || pad.Button(bindings.padButtons[1]);
    held[kEscape] = keys[kEscapeKey];
    held[kStart] = pad.Button(PadButton::Start);
    return held;
}

bool MenuControls::Acts(Signal signal, bool held)
{
    if (!held) {
        heldTicks_[signal] = 0;
        return false;
    }
    const int ticks = ++heldTicks_[signal];
    const bool repeats = signal <= kRight;
    return ticks == 1 ||
           (repeats && ticks >= kRepeatDelay && (ticks - kRepeatDelay) % kRepeatEvery == 0);
}

std::bitset<256> MenuControls::Heeded(const std::bitset<256>& keys)
{
    ignoredKeys_ &= keys;
    return keys & ~ignoredKeys_;
}

JoystickReading MenuControls::Heeded(const JoystickReading& pad)
{
    JoystickReading heeded = pad;
    for (std::size_t i = 0; i < kPadButtonCount; ++i) {
        ignoredPad_.buttons[i] = ignoredPad_.buttons[i] && pad.buttons[i];
        heeded.buttons[i] = pad.buttons[i] && !ignoredPad_.buttons[i];
    }
    // A lean stays ignored until the stick comes back towards the middle.
    const auto heed = [](int& ignored, int& value) {
        if (ignored != 0 && value * ignored < kStickLean * kStickLean) {
            ignored = 0;
        }
        if (ignored != 0) {
            value = 0;
        }
    };
    heed(ignoredPad_.x, heeded.x);
    heed(ignoredPad_.y, heeded.y);
    return heeded;
}

MenuControls::Tick MenuControls::Read(const std::bitset<256>& keys, const JoystickReading& pad,
                                      const Bindings& bindings)
{
    const std::array<bool, kSignalCount> held = Held(Heeded(keys), Heeded(pad), bindings);
    std::array<bool, kSignalCount> acts{};
    for (int signal = 0; signal < kSignalCount; ++signal) {
        acts[signal] = Acts(static_cast<Signal>(signal), held[signal]);
    }
    Tick tick;
    tick.open = acts[kEscape] || acts[kStart];
    static constexpr std::array<std::pair<Signal, MenuCommand>, 7> kCommands = {{
        {kUp, MenuCommand::Up},
        {kDown, MenuCommand::Down},
        {kLeft, MenuCommand::Left},
        {kRight, MenuCommand::Right},
        {kChoose, MenuCommand::Choose},
        {kBack, MenuCommand::Back},
        {kStart, MenuCommand::Close},
    }};
    for (const auto& [signal, command] : kCommands) {
        if (acts[signal]) {
            tick.commands.push_back(command);
        }
    }
    // Escape goes back like the second button, unless that button is held with it.
    if (acts[kEscape] && !acts[kBack]) {
        tick.commands.push_back(MenuCommand::Back);
    }
    for (std::size_t code = 1; code < keys.size(); ++code) {
        if (keys[code] && !lastKeys_[code]) {
            tick.keysPressed.push_back(static_cast<std::uint8_t>(code));
        }
    }
    for (std::size_t button = 0; button < kPadButtonCount; ++button) {
        if (pad.buttons[button] && !lastPad_.buttons[button]) {
            tick.padButtonsPressed.push_back(static_cast<PadButton>(button));
        }
    }
    lastKeys_ = keys;
    lastPad_ = pad;
    return tick;
}

void MenuControls::IgnoreHeld()
{
    ignoredKeys_ = lastKeys_;
    ignoredPad_ = lastPad_;
}

}  // namespace kipkip
