// app/mainform.h
// The program's one window, as the game sees it: it owns the devices and the frame timer,
// creates the kernel and the root mode at start-up, and from then on only pumps the frame
// loop. Each timer tick advances input and the mode tree by exactly one 20 ms step, whatever
// the real time between ticks; a paint request redraws the current frame without advancing
// anything. The platform (a real window, or a headless run) comes in through the ports.
#pragma once

#include <memory>

#include "device/htimer.h"
#include "device/kivdraw.h"
#include "device/kivinput.h"
#include "device/kivmidi.h"
#include "device/kivsound.h"
#include "device/soundmixer.h"
#include "game/gamemain.h"
#include "game/gamemgrmode.h"
#include "kernel/kernel.h"
#include "platform/ports.h"

namespace kipkip {

class RunClock;

class TMainForm {
public:
    // The cursor keys, then space bar, B and Return for the three buttons.
    static constexpr InputState kDefaultKeys{0xC8, 0xD0, 0xCB, 0xCD, 0x39, 0x30, 0x1C};

    struct Ports {
        VideoPort& video;
        BitmapPort& bitmaps;
        FontPort& fonts;
        InputPort& input;
        TimerPort& timer;
        SoundMixer& mixer;  // the sound device's output; pulled by the audio port, if any
        MidiOut& midiOut;   // where the music sequencer's messages go
        bool mute = false;  // the sound device and the sequencer stay uninitialised
        InputState keys = kDefaultKeys;  // the keys of the seven signals
        RunClock* clock = nullptr;       // told of each step of the game, if given
        // The controller's buttons of the game's three.
        PadBinding padButtons = kDefaultPadBinding;
    };

    static constexpr int kClientWidth = 320;
    static constexpr int kClientHeight = 240;
    static constexpr std::uint32_t kTickInterval = 20;

    // The game's main mode with `host` (which outlives every mode made).
    static TGameMgrMode::MainModeFactory MainModeWith(GameHost& host);

    // Start-up: the devices, the kernel, the root mode, then the timer runs. Raises
    // EHITimerError when the timer service refuses.
    explicit TMainForm(Ports ports,
                       TGameMgrMode::MainModeFactory mainMode = TGameMgrMode::MainMode);
    ~TMainForm();
    TMainForm(const TMainForm&) = delete;
    TMainForm& operator=(const TMainForm&) = delete;

    void HITimerTimer(THITimer& sender);
    void FormPaint();
    // Shut-down: no further ticks, then the mode tree and the kernel go. Runs once.
    void FormDestroy();

    TKernel* Kernel() { return kernel.get(); }
    // The game's main mode once the root mode has made it (in the first tick), else nullptr.
    TGameMainMode* MainMode() const;
    TKivDraw& Draw() { return KivDraw; }
    TKivSound& Sound() { return KivSound; }
    // Whoever renders the music runs the sequencer's passes (SmfPlay) while the form lives.
    TKivMidi& Midi() { return KivMidi; }

private:
    THITimer HITimer;
    TKivDraw KivDraw;
    TKivInput KivInput;
    TKivSound KivSound;
    TKivMidi KivMidi;
    std::unique_ptr<TKernel> kernel;
    std::unique_ptr<TGameMode> rootMode;
    RunClock* clock = nullptr;
};

}  // namespace kipkip
