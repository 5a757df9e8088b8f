// tests/support/formrig.h
// The main window over fake ports, with a main mode that only draws, and a frame loop the test
// drives by hand: a tick is BeforeTick, one expiry of the timer (a step of the game, which the
// run's clock counts), then AfterTick. A tick can also leave the game unstepped, as a menu that
// holds the game still would.
#pragma once

#include <memory>

#include "app/framefile.h"
#include "app/mainform.h"
#include "app/runclock.h"
#include "platform/silentmidiout.h"
#include "support/fakeports.h"

namespace kipkip::test {

// A main mode that draws, so every step and paint presents.
class DrawingMode : public TGameMode {
public:
    using TGameMode::TGameMode;
    void Draw() override {}
};

struct FormRig {
    FakeVideo video;
    FakeBitmaps bitmaps;
    FakeFont fonts;
    FakeInput input;
    FakeTimer timer;
    SoundMixer mixer;
    SilentMidiOut midiOut;
    RunClock clock;
    TMainForm form{{video, bitmaps, fonts, input, timer, mixer, midiOut, true,
                    TMainForm::kDefaultKeys, &clock},
                   [](TGameMode* parent, std::int32_t value, TKernel* kernel) {
                       return std::make_unique<DrawingMode>(parent, value, kernel);
                   }};
    std::uint64_t loopTicks = 0;

    // The frame as shown: the work surface, with no menu over it.
    ShownFrame Shown()
    {
        return [this]() -> const Surface& { return form.Draw().WorkSurface(); };
    }

    // One loop tick; what the listener's AfterTick said.
    bool Tick(LoopListener& listener, bool stepGame = true)
    {
        ++loopTicks;
        clock.BeforeTick(loopTicks);
        listener.BeforeTick(loopTicks);
        if (stepGame) {
            timer.Expire();
        }
        return listener.AfterTick(loopTicks);
    }
};

}  // namespace kipkip::test
