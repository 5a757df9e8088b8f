// platform/sdl/sdlmessagebox.h
// Fatal errors once there is a window: a modal message box with the error icon (the message
// converted from Shift-JIS), and the same text on standard error.
#pragma once

#include "platform/fatalerror.h"

namespace kipkip {

class SdlMessageBox : public FatalReporter {
public:
    void Report(std::string_view message) override;
};

}  // namespace kipkip
