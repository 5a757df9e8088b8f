// The menu's changes saved to the player's settings file: only what changed, keys by the name
// the player gave them, and a change that could not be written tried again.
#include "app/menusettingsfile.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <set>
#include <sstream>
#include <string>

#include "app/mainform.h"
#include "support/tempdir.h"

namespace kipkip {
namespace {

constexpr std::uint8_t kZ = 0x2C;
constexpr std::uint8_t kX = 0x2D;
constexpr std::uint8_t kC = 0x2E;

std::string KeyName(std::uint8_t code)
{
    switch (code) {
        case kZ:
            return "z";
        case kX:
            return "x";
        case kC:
            return "c";
        default:
            return "no name";
    }
}

// A settings file that gave "up = Z" and a speed of 90, and the run started from it.
class MenuSettingsFileTest : public ::testing::Test {
protected:
    MenuSettingsFileTest()
    {
        options.keyNames[0] = "Z";
        options.speed = 90;
        bindings.keys.Up = kZ;
        path = folder.Write("kipkip.conf", kText);
    }

    MenuSettingsFile Made(const std::string& at)
    {
        return MenuSettingsFile(options, bindings, {at, options},
                                [](std::uint8_t code) { return KeyName(code); });
    }

    static constexpr const char* kText = "# mine\nup = Z\nspeed = 90\n";
    test::TempDir folder;
    Options options;
    Bindings bindings{TMainForm::kDefaultKeys, kDefaultPadBinding};
    std::string path;
};

TEST_F(MenuSettingsFileTest, WritesOnlyWhatChangedSinceTheLastSave)
{
    MenuSettingsFile file = Made(path);
    MenuSettings settings = file.Settings();
    EXPECT_EQ(settings.speed, 90);
    EXPECT_EQ(settings.bindings.keys.Up, kZ);

    EXPECT_EQ(file.Save(settings), std::nullopt);
    EXPECT_EQ(test::Contents(path), kText) << "nothing changed, nothing written";

    settings.musicVolume = 80;
    EXPECT_EQ(file.Save(settings), std::nullopt);
    EXPECT_EQ(test::Contents(path), "# mine\nup = Z\nspeed = 90\nmusic-volume = 80\n");

    // The player edits the file by hand meanwhile: the volume saved before is not written
    // again, only the speed now changed.
    folder.Write("kipkip.conf", "# mine\nup = Z\nspeed = 90\nmusic-volume = 55\n");
    settings.speed = 70;
    EXPECT_EQ(file.Save(settings), std::nullopt);
    EXPECT_EQ(test::Contents(path), "# mine\nup = Z\nspeed = 70\nmusic-volume = 55\n");
    EXPECT_EQ(file.Settings(), settings);

    settings.paceMarker = false;
    EXPECT_EQ(file.Save(settings), std::nullopt);
    EXPECT_EQ(test::Contents(path),
              "# mine\nup = Z\nspeed = 70\nmusic-volume = 55\npace-marker = no\n");
    EXPECT_FALSE(file.Settings().paceMarker);
}

TEST_F(MenuSettingsFileTest, AReboundKeyIsWrittenByNameAndAnUnchangedOneKeepsThePlayersName)
{
    MenuSettingsFile file = Made(path);
    MenuSettings settings = file.Settings();
    settings.bindings.keys.Button1 = kX;
    settings.bindings.padButtons[0] = PadButton::North;
    settings.bindings.padButtons[2] = PadButton::South;
    EXPECT_EQ(file.Save(settings), std::nullopt);
    EXPECT_EQ(test::Contents(path),
              "# mine\nup = Z\nspeed = 90\nbutton1 = x\npad1 = y\npad3 = a\n");

    // Up and button1 swapped: both are rebound, so both are written by the namer's names.
    std::swap(settings.bindings.keys.Up, settings.bindings.keys.Button1);
    EXPECT_EQ(file.Save(settings), std::nullopt);
    EXPECT_EQ(test::Contents(path),
              "# mine\nup = x\nspeed = 90\nbutton1 = z\npad1 = y\npad3 = a\n");
}

TEST_F(MenuSettingsFileTest, AFailedSaveGivesTheReasonAndALaterSaveTriesTheChangeAgain)
{
    // Where the settings folder should be there is a file.
    const std::string blocked = (folder.Path() / "config" / "kipkip.conf").string();
    folder.Write("config", "not a folder");
    MenuSettingsFile file = Made(blocked);
    MenuSettings settings = file.Settings();
    settings.fullScreen = true;
    const std::optional<std::string> error = file.Save(settings);
    ASSERT_TRUE(error);
    EXPECT_NE(error->find("could not be saved to " + blocked), std::string::npos) << *error;

    std::filesystem::remove(folder.Path() / "config");
    EXPECT_EQ(file.Save(settings), std::nullopt);
    EXPECT_EQ(test::Contents(blocked), "fullscreen = yes\n");

    MenuSettingsFile nowhere = Made("");
    settings = nowhere.Settings();
    settings.bindings.keys.Button2 = kC;
    for (int attempt = 0; attempt < 2; ++attempt) {
        const std::optional<std::string> reason = nowhere.Save(settings);
        ASSERT_TRUE(reason) << "attempt " << attempt;
        EXPECT_NE(reason->find("cannot be saved"), std::string::npos) << *reason;
    }
    EXPECT_EQ(nowhere.Save(nowhere.Settings()), std::nullopt) << "nothing left to save";
}

TEST(MenuSettingsFile, FromCommandLineListsTheItemsWhoseValueDiffersFromTheFiles)
{
    Options fromFile;
    fromFile.keyNames[0] = "w";
    fromFile.speed = 80;
    const Bindings bindings{TMainForm::kDefaultKeys, kDefaultPadBinding};
    const auto listed = [&](const Options& inForce) {
        return MenuSettingsFile(inForce, bindings, {"", fromFile},
                                [](std::uint8_t code) { return KeyName(code); })
            .FromCommandLine();
    };
    using Change = void (*)(Options&);
    const struct {
        Change change;
        std::set<MenuItem> items;
    } cases[] = {
        {[](Options&) {}, {}},
        {[](Options& o) { o.musicVolume = 5; }, {MenuItem::MusicVolume}},
        {[](Options& o) { o.effectsVolume = 0; }, {MenuItem::EffectsVolume}},
        {[](Options& o) { o.scale = 2; }, {MenuItem::Scale}},
        {[](Options& o) { o.fullScreen = true; }, {MenuItem::FullScreen}},
        {[](Options& o) { o.vsync = true; }, {MenuItem::Vsync}},
        {[](Options& o) { o.autopause = false; }, {MenuItem::Autopause}},
        {[](Options& o) { o.speed = 60; }, {MenuItem::Speed}},
        {[](Options& o) { o.paceMarker = false; }, {MenuItem::PaceMarker}},
        {[](Options& o) { o.keyNames[0] = "z"; }, {MenuItem::KeyUp}},
        {[](Options& o) { o.keyNames[1] = "z"; }, {MenuItem::KeyDown}},
        {[](Options& o) { o.keyNames[2] = "z"; }, {MenuItem::KeyLeft}},
        {[](Options& o) { o.keyNames[3] = "z"; }, {MenuItem::KeyRight}},
        {[](Options& o) { o.keyNames[4] = "z"; }, {MenuItem::KeyButton1}},
        {[](Options& o) { o.keyNames[5] = "z"; }, {MenuItem::KeyButton2}},
        {[](Options& o) { o.keyNames[6] = "z"; }, {MenuItem::KeyButton3}},
        {[](Options& o) { o.padButtons[0] = PadButton::North; }, {MenuItem::PadButton1}},
        {[](Options& o) { o.padButtons[1] = PadButton::North; }, {MenuItem::PadButton2}},
        {[](Options& o) { o.padButtons[2] = PadButton::North; }, {MenuItem::PadButton3}},
        // Settings the menu has no item for, and options that are no settings at all.
        {[](Options& o) { o.soundFontFile = "/elsewhere.sf2"; }, {}},
        {[](Options& o) { o.traceFile = "trace.jsonl"; }, {}},
        // Given again with the file's own value.
        {[](Options& o) { o.speed = 80; }, {}},
        {[](Options& o) {
             o.speed = 60;
             o.fullScreen = true;
             o.keyNames[4] = "x";
             o.padButtons[2] = PadButton::LeftShoulder;
             o.controllerMappings = "pads.txt";
         },
         {MenuItem::Speed, MenuItem::FullScreen, MenuItem::KeyButton1, MenuItem::PadButton3}},
    };
    for (std::size_t i = 0; i < std::size(cases); ++i) {
        Options inForce = fromFile;
        cases[i].change(inForce);
        EXPECT_EQ(listed(inForce), cases[i].items) << "case " << i;
    }
}

}  // namespace
}  // namespace kipkip
