// platform/sdl/sdlmessagebox.h
// Fatal errors once there is a window: a modal message box with the error icon (the message
// converted from Shift-JIS), and the same text on standard error. Warnings the player should
// see before playing (a bad settings line) get a box with the warning icon, and errors that end
// a windowed run before its window opens (a bad recording) one with the error icon: SDL shows
// a box without any window.
#pragma once

#include "platform/fatalerror.h"

namespace kipkip {

class SdlMessageBox : public FatalReporter {
public:
    void Report(std::string_view message) override;
    // A warning box (UTF-8); the game goes on once the player closes it.
    static void Warn(std::string_view message);
    // An error box (UTF-8), and nothing on standard error.
    static void ShowError(std::string_view message);
};

}  // namespace kipkip
