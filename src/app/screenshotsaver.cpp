#include "app/screenshotsaver.h"

#include <cstdio>

#include "app/complain.h"
#include "app/framefile.h"

namespace kipkip {

std::string ScreenshotSaver::NameAt(std::time_t when)
{
    std::tm local{};
    localtime_r(&when, &local);
    char name[64];
    std::strftime(name, sizeof name, "kipkip-%Y%m%d-%H%M%S.bmp", &local);
    return name;
}

void ScreenshotSaver::SaveScreenshot()
{
    std::string file = NameAt(std::time(nullptr));
    if (SaveFrame(frame_(), file)) {
        std::printf("kipkip: saved %s\n", file.c_str());
        std::fflush(stdout);
    } else {
        Complain("cannot write the screenshot " + file);
    }
}

}  // namespace kipkip
