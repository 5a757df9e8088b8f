// A windowed run under a virtual X server, with its message boxes caught instead of shown.
#include "app/gamerunner.h"

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "app/exitstatus.h"

namespace kipkip {
namespace {

struct CaughtBoxes : MessageBoxPort {
    void Warn(std::string_view message) override { warnings.emplace_back(message); }
    void ShowError(std::string_view message) override { errors.emplace_back(message); }

    std::vector<std::string> warnings;
    std::vector<std::string> errors;
};

class WindowRun : public ::testing::Test {
protected:
    void SetUp() override
    {
        dir = std::filesystem::temp_directory_path() /
              ("kipkip-window-run-" +
               std::to_string(::testing::UnitTest::GetInstance()->random_seed()));
        std::filesystem::create_directories(dir);
        options.dataDir = dir.string();
        options.scale = 1;
        options.ticks = 50;  // a second: time enough for a failed load to be known
        options.soundFontFile = (dir / "missing.sf2").string();
    }
    void TearDown() override { std::filesystem::remove_all(dir); }

    int Run() { return GameRunner(options, std::chrono::steady_clock::now(), {}, &boxes).Run(); }

    std::filesystem::path dir;
    Options options;
    CaughtBoxes boxes;
};

// A player who starts the game from the desktop is told, once, why there is no music and how
// to get it; the game then runs.
TEST_F(WindowRun, AMissingSoundFontIsToldInABoxAndTheGameRuns)
{
    EXPECT_EQ(Run(), exitstatus::kDone);
    ASSERT_EQ(boxes.warnings.size(), 1u);
    const std::string& box = boxes.warnings.front();
    EXPECT_NE(box.find("MIDIマッパーを開けませんでした。"), std::string::npos) << box;
    EXPECT_NE(box.find("missing.sf2"), std::string::npos) << box;
    EXPECT_NE(box.find("fluid-soundfont-gm"), std::string::npos) << box;
    EXPECT_NE(box.find("--soundfont"), std::string::npos) << box;
    EXPECT_TRUE(boxes.errors.empty());
}

TEST_F(WindowRun, MusicTurnedDownToNothingIsNotMissed)
{
    options.musicVolume = 0;
    EXPECT_EQ(Run(), exitstatus::kDone);
    EXPECT_TRUE(boxes.warnings.empty());
}

}  // namespace
}  // namespace kipkip
