#include "app/mainform.h"

#include "app/appnames.h"
#include "app/runclock.h"

namespace kipkip {

TGameMgrMode::MainModeFactory TMainForm::MainModeWith(GameHost& host)
{
    return [&host](TGameMode* parent, std::int32_t userValue, TKernel* kernel) {
        return std::make_unique<TGameMainMode>(parent, userValue, kernel, &host);
    };
}

TMainForm::TMainForm(Ports ports, TGameMgrMode::MainModeFactory mainMode)
    : HITimer(ports.timer),
      KivDraw(ports.video, ports.bitmaps, ports.fonts),
      KivInput(ports.input),
      KivSound(ports.mixer),
      KivMidi(ports.midiOut),
      clock(ports.clock)
{
    // The stored settings of the form's components.
    HITimer.SetEnabled(false);
    HITimer.SetInterval(kTickInterval);
    HITimer.SetOnTimer([this](THITimer& sender) { HITimerTimer(sender); });
    HITimer.Loaded();
    KivDraw.SetWidth(kClientWidth);
    KivDraw.SetHeight(kClientHeight);
    KivDraw.SetFont(TFont{std::string(appnames::kFontFace), 16, true, 0xFFFFFF});

    // A device that fails to start stays inert and the game runs on without it.
    KivDraw.Init();
    KivInput.Init();
    // Muted, the sound device refuses every sound, so the scene registers and plays nothing,
    // and the sequencer is never opened, so every song request is refused. A sequencer whose
    // output fails to open refuses likewise and the game runs without music; the runner tells
    // the player.
    if (!ports.mute) {
        KivSound.Init();
        KivMidi.Init();
    }
    KivInput.SetKeys(ports.keys);
    KivInput.SetPadButtons(ports.padButtons);
    kernel = std::make_unique<TKernel>(&KivDraw, &KivMidi, &KivInput, &KivSound);
    rootMode = std::make_unique<TGameMgrMode>(nullptr, 0, kernel.get(), std::move(mainMode));
    HITimer.SetEnabled(true);
    HITimer.Start();
}

TMainForm::~TMainForm()
{
    FormDestroy();
}

void TMainForm::HITimerTimer(THITimer& sender)
{
    int d = static_cast<int>(sender.Interval());
    if (clock != nullptr) {
        clock->GameStepped();
    }
    kernel->Tick(d);
    rootMode->Step(d);
}

TGameMainMode* TMainForm::MainMode() const
{
    return rootMode ? dynamic_cast<TGameMainMode*>(rootMode->child.get()) : nullptr;
}

void TMainForm::FormPaint()
{
    if (rootMode) {
        rootMode->Paint();
    }
}

void TMainForm::FormDestroy()
{
    HITimer.SetEnabled(false);
    // The scene and its device resources go after the timer has stopped and before the kernel
    // and the devices.
    rootMode.reset();
    kernel.reset();
}

}  // namespace kipkip
