// The player's screenshot: the current frame in the current folder, named by the local time.
#include "app/screenshotsaver.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

#include "support/formrig.h"
#include "support/tempdir.h"

namespace kipkip {
namespace {

TEST(ScreenshotSaver, NamesTheFileByTheLocalDateAndTime)
{
    setenv("TZ", "UTC", 1);
    tzset();
    EXPECT_EQ(ScreenshotSaver::NameAt(1'765'400'000), "kipkip-20251210-205320.bmp");
}

TEST(ScreenshotSaver, SavesTheCurrentFrameInTheCurrentFolder)
{
    test::TempDir dir;
    test::ScopedCurrentPath inside(dir.Path());
    test::FormRig rig;
    ScreenshotSaver saver(rig.Shown());
    rig.Tick(saver);
    saver.SaveScreenshot();
    std::vector<std::filesystem::path> files;
    for (const auto& entry : std::filesystem::directory_iterator(dir.Path())) {
        files.push_back(entry.path().filename());
    }
    ASSERT_EQ(files.size(), 1u);
    EXPECT_TRUE(files[0].string().starts_with("kipkip-")) << files[0];
    EXPECT_EQ(std::filesystem::file_size(dir.Path() / files[0]), 54u + 320 * 240 * 3);
}

}  // namespace
}  // namespace kipkip
