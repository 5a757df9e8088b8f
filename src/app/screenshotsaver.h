// app/screenshotsaver.h
// The player's screenshot (F12 in a window): the current frame as a BMP in the current folder,
// named after the local date and time. Its name is printed; a failure is reported and the game
// goes on (no file named on the command line is at stake).
#pragma once

#include <ctime>
#include <string>

#include "app/ticklistener.h"

namespace kipkip {

class TMainForm;

class ScreenshotSaver : public TickListener {
public:
    // The form must outlive the listener.
    explicit ScreenshotSaver(TMainForm& form) : form_(form) {}

    void SaveScreenshot() override;

    // The file's name for a screenshot taken at that time.
    static std::string NameAt(std::time_t when);

private:
    TMainForm& form_;
};

}  // namespace kipkip
