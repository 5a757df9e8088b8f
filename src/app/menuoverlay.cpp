#include "app/menuoverlay.h"

#include "app/complain.h"
#include "app/gameinput.h"
#include "app/mainform.h"
#include "app/runstage.h"
#include "app/windowkeys.h"
#include "device/audiopath.h"
#include "platform/sdl/scancodes.h"
#include "replay/tickinput.h"

namespace kipkip {

MenuOverlay::MenuOverlay(Parts parts)
    : parts_(parts),
      font_(MenuFont::BuiltIn()),
      sounds_(parts.sounds),
      menu_(parts.settings.Settings(), MenuSettingsFile::Defaults(), *this),
      screen_(parts.loop,
              [this](Surface& frame) {
                  if (view_) {
                      view_->Draw(frame, menu_);
                  }
              }),
      timer_(parts.loop, [this] { return menu_.IsOpen(); }),
      fromCommandLine_(parts.settings.FromCommandLine())
{
    if (font_) {
        view_.emplace(*font_, KeyNameFromDik);
        view_->SetFromCommandLine(fromCommandLine_);
    }
}

const Surface& MenuOverlay::ShownFrame() const
{
    return screen_.IsOpen() ? screen_.Shown() : form_->Draw().WorkSurface();
}

void MenuOverlay::BeforeTick(std::uint64_t)
{
    const InputScript::Held held = parts_.input.Held();
    const MenuControls::Tick tick = controls_.Read(held.keys, held.pad, menu_.Settings().bindings);
    if (!menu_.IsOpen()) {
        if (tick.open && form_ != nullptr && allowOpening_()) {
            Open();
        }
        return;
    }
    Act(tick);
    if (menu_.IsOpen()) {
        screen_.Refresh();
    } else {
        Closed();
    }
}

// A control that waits takes the next press and nothing else; otherwise the press is a command.
void MenuOverlay::Act(const MenuControls::Tick& tick)
{
    if (menu_.AwaitsKey() || menu_.AwaitsPadButton()) {
        for (std::uint8_t code : tick.keysPressed) {
            menu_.KeyPressed(code);
        }
        for (PadButton button : tick.padButtonsPressed) {
            menu_.PadButtonPressed(button);
        }
        // The key just bound is still down: it must not act as its new signal too.
        controls_.IgnoreHeld();
        return;
    }
    for (MenuCommand command : tick.commands) {
        menu_.Handle(command);
    }
}

void MenuOverlay::Open()
{
    MenuSettings settings = menu_.Settings();
    parts_.stage.ReadWindow(settings);
    menu_.Open(GameRunning(), settings);
    controls_.IgnoreHeld();
    parts_.path.HoldGame(true);
    screen_.Open(form_->Draw().WorkSurface().View());
    sounds_.Play(MenuSound::Choose);
}

void MenuOverlay::Closed()
{
    screen_.Close();
    parts_.path.HoldGame(false);
    if (parts_.game != nullptr) {
        parts_.game->HideHeld();
    }
}

bool MenuOverlay::GameRunning() const
{
    const TGameMainMode* mode = form_->MainMode();
    return mode != nullptr && mode->scene == TGameMainMode::kPlay;
}

void MenuOverlay::Apply(const MenuSettings& settings, MenuItem item)
{
    // The player's own choice from now on, no longer the command line's.
    if (fromCommandLine_.erase(item) > 0 && view_) {
        view_->SetFromCommandLine(fromCommandLine_);
    }
    parts_.path.SetMusicVolume(settings.musicVolume);
    parts_.path.SetEffectsVolume(settings.effectsVolume);
    parts_.stage.ApplyWindow(settings);
    if (parts_.game != nullptr) {
        parts_.game->Rebind(settings.bindings);
    }
    if (std::optional<std::string> error = parts_.settings.Save(settings)) {
        Complain(*error);
        menu_.SetNotice("SETTINGS NOT SAVED: THIS RUN ONLY");
    }
}

bool MenuOverlay::IsWindowKey(std::uint8_t code) const
{
    return kipkip::IsWindowKey(code);
}

}  // namespace kipkip
