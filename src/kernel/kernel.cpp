#include "kernel/kernel.h"

#include "device/kivdraw.h"
#include "kernel/clocksum.h"

namespace kipkip {
namespace {

constexpr std::uint16_t kSignalBits[7] = {BitUp,      BitDown,    BitLeft,   BitRight,
                                          BitButton1, BitButton2, BitButton3};

}  // namespace

TKernel::TKernel(TKivDraw* draw, TKivMidi* midi, TKivInput* input, TKivSound* sound)
    : draw(draw), sound(sound), input(input), midi(midi)
{}

void TKernel::Tick(int ms)
{
    if (input != nullptr) {
        ReadPad(ms);
        ReadKeyboard();
    }
    elapsed = ClockSum(elapsed, ms);
}

void TKernel::ReadPad(int ms)
{
    prevHeld = held;
    repeated = pressed = held = 0;

    // A failed read leaves every signal clear.
    InputState state;
    input->GetState(state);
    for (std::size_t i = 0; i < kInputSignals.size(); ++i) {
        if (state.*kInputSignals[i] != 0) {
            held |= kSignalBits[i];
        }
    }
    pressed = held & ~prevHeld;

    // Auto-repeat: a press fires at once, then after the delay, then every interval while the
    // same signals stay held. A tick that follows one with a fresh keyboard key never continues
    // the countdown, since `held` has no BitAnyKey here yet.
    if (pressed != 0) {
        repeated = pressed;
        repeatCountdown = repeatDelay;
    } else if (held != 0 && held == prevHeld) {
        repeatCountdown -= ms;
        if (repeatCountdown < 0) {
            repeated = held;
            repeatCountdown = repeatInterval;
        }
    } else {
        repeatCountdown = repeatDelay;
    }
}

void TKernel::ReadKeyboard()
{
    // A failed read shows every key up.
    KeyboardState fresh;
    input->GetKeyboardState(fresh);
    lastKey = -1;
    bool wentDown = false;
    for (int k = 0; k < 256; ++k) {
        if (keyboard[k] == 0 && fresh[k] != 0) {
            lastKey = k;
            wentDown = true;
        }
        keyboard[k] = fresh[k];
    }
    if (wentDown) {
        held |= BitAnyKey;
    }
    if ((held & BitAnyKey) && !(prevHeld & BitAnyKey)) {
        pressed |= BitAnyKey;
    }
}

void TKernel::Present()
{
    if (draw == nullptr) {
        return;
    }
    if (clearScreen != 0) {
        draw->Clear();
    } else if (fadeLevel > 0) {
        if (fadeWhite == kFadeToBlack) {
            draw->Fade(fadeLevel);
        } else if (fadeWhite == kFadeToWhite) {
            draw->WhiteFade(fadeLevel);
        }
    }
    draw->Update();
}

void TKernel::SetKeyRepeat(int delay, int interval)
{
    repeatDelay = delay;
    repeatInterval = interval;
}

}  // namespace kipkip
