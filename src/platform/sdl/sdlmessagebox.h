// platform/sdl/sdlmessagebox.h
// Message boxes on SDL. Fatal errors once there is a window: a modal box with the error icon
// (the message converted from Shift-JIS), and the same text on standard error. Warnings the
// player should see (a bad settings line, no music) get a box with the warning icon, and errors
// that end a windowed run before its window opens (a bad recording) one with the error icon:
// SDL shows a box without any window.
#pragma once

#include "platform/fatalerror.h"
#include "platform/ports.h"

namespace kipkip {

class SdlMessageBox : public FatalReporter, public MessageBoxPort {
public:
    void Report(std::string_view message) override;
    // A warning box; the game goes on once the player closes it.
    void Warn(std::string_view message) override;
    // An error box, and nothing on standard error.
    void ShowError(std::string_view message) override;
};

}  // namespace kipkip
