// app/screenshotsaver.h
// The player's screenshot (F12 in a window): the current frame as a BMP in the current folder,
// named after the local date and time. Its name is printed; a failure is reported and the game
// goes on (no file named on the command line is at stake).
#pragma once

#include <ctime>
#include <string>

#include "app/framefile.h"
#include "app/ticklistener.h"

namespace kipkip {

class ScreenshotSaver : public TickListener {
public:
    explicit ScreenshotSaver(ShownFrame frame) : frame_(std::move(frame)) {}

    void SaveScreenshot() override;

    // The file's name for a screenshot taken at that time.
    static std::string NameAt(std::time_t when);

private:
    ShownFrame frame_;
};

}  // namespace kipkip
