// app/runstage.h
// What differs between a run in a window and a headless one. The runner sets either up in the
// same order and through the same calls; only the stage knows whether there is a window, an
// audio device or a sound file.
#pragma once

#include <string>
#include <vector>

#include "menu/menusettings.h"
#include "platform/frameloop.h"
#include "platform/ports.h"

namespace kipkip {

class AudioPath;
class LoopFanOut;

class RunStage {
public:
    virtual ~RunStage() = default;

    // A fault that ends the run before the game starts: on standard error, and in a window in a
    // message box too, for a player who started the game from the desktop.
    virtual void ReportSetUpError(const std::string& message) = 0;
    // A trouble the game plays on through (no music, a high score not saved): on standard
    // error, and in a window in a warning box too, while the game waits.
    virtual void Tell(const std::string& message) = 0;
    // Opens the run's sound on the path; true when it is heard or kept, so that the music needs
    // its synthesiser. The path must outlive the stage.
    virtual bool OpenAudio(AudioPath& path) = 0;
    // Opens the window, if there is one, and the player's devices; false after saying why. The
    // settings' warnings have been printed; a window shows them once more.
    virtual bool Open(const std::vector<std::string>& warnings) = 0;
    virtual FrameLoop& Loop() = 0;
    // The keys of a run that no script plays.
    virtual InputPort& PlayerInput() = 0;
    // This kind of run's pieces of every tick: the sound kept, or the music's unheard passes.
    virtual void AddListeners(LoopFanOut& fanOut) = 0;
    // The window's settings as they are now (full screen may have changed by its key); a run
    // without a window leaves them as they are.
    virtual void ReadWindow(MenuSettings&) const {}
    // The window's settings changed in the menu: those that differ from the window's take
    // effect at once.
    virtual void ApplyWindow(const MenuSettings&) {}
    // After the game: what the stage writes or prints at the end. Its exit status.
    virtual int Finish() = 0;
};

}  // namespace kipkip
