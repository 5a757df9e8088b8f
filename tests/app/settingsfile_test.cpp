#include "app/settingsfile.h"

#include <gtest/gtest.h>

#include <vector>

#include "support/tempdir.h"

namespace kipkip {
namespace {

SettingsFile::Result ParseSettings(std::string_view text, Options base = {})
{
    return SettingsFile::Parse(
        "kipkip.conf", std::span(reinterpret_cast<const std::uint8_t*>(text.data()), text.size()),
        std::move(base), "/home/p/.config/kipkip");
}

TEST(SettingsFile, EveryKindOfSettingLandsInItsOption)
{
    auto result = ParseSettings(
        "# ZQSD on AZERTY\r\n"
        "up = z\r\n"
        "  LEFT=q   # keys by what they type\n"
        "button2 = left shift\n"
        "pad1 = y\n"
        "pad3 = LeftShoulder\n"
        "\n"
        "scale = 3\n"
        "fullscreen = yes\n"
        "vsync = on\n"
        "autopause = no\n"
        "speed = 70%\n"
        "pace-marker = off\n"
        "music-volume = 60\n"
        "effects-volume = 0\n"
        "soundfont = fonts/my#1.sf2\n"
        "controller-mappings = /usr/share/pads.txt");
    EXPECT_EQ(result.errors, std::vector<std::string>{});
    const Options& o = result.options;
    EXPECT_EQ(o.keyNames, (std::array<std::string, 7>{"z", "down", "q", "right", "space",
                                                      "left shift", "return"}));
    EXPECT_EQ(o.padButtons,
              (PadBinding{PadButton::North, PadButton::East, PadButton::LeftShoulder}));
    EXPECT_EQ(o.scale, 3);
    EXPECT_TRUE(o.fullScreen && o.vsync);
    EXPECT_FALSE(o.autopause);
    EXPECT_FALSE(o.paceMarker);
    EXPECT_FALSE(o.paceMarkerAsked) << "only the command line asks for the marker";
    EXPECT_EQ(o.speed, 70);
    EXPECT_EQ(o.musicVolume, 60);
    EXPECT_EQ(o.effectsVolume, 0);
    EXPECT_EQ(o.soundFontFile, "/home/p/.config/kipkip/fonts/my#1.sf2");
    EXPECT_EQ(o.controllerMappings, "/usr/share/pads.txt");
}

TEST(SettingsFile, BadLinesAreNamedAndTheRestStillCounts)
{
    auto result = ParseSettings(
        "scale = 9\n"
        "music-volume = 40\n"
        "jump = space\n"
        "fullscreen\n"
        "vsync = maybe\n"
        "button1 = spcae\n"
        "button3 = p\n"
        "up =\n"
        "effects-volume = 7 dB\n" +
        std::string(2000, 'x') + "\n" + "right = d\n" +
        "pad2 = start\n"
        "pad1 = z\n"
        "pad3 =\n"
        "pad1 = rightshoulder\n"
        "button2 = Escape\n");
    EXPECT_EQ(result.errors,
              (std::vector<std::string>{
                  "kipkip.conf: line 1: scale: scale takes a whole number from 1 to 8, not \"9\"",
                  "kipkip.conf: line 3: unknown setting \"jump\"",
                  "kipkip.conf: line 4: expected \"key = value\", not \"fullscreen\"",
                  "kipkip.conf: line 5: vsync: takes yes or no, not \"maybe\"",
                  "kipkip.conf: line 6: button1: no key is called \"spcae\"",
                  "kipkip.conf: line 7: button3: \"p\" is the window's own key (Escape menu, "
                  "P pause, M music, F11, F12)",
                  "kipkip.conf: line 8: up: needs a key name",
                  "kipkip.conf: line 9: effects-volume: the volume takes a whole number from 0 "
                  "to 100, not \"7 dB\"",
                  "kipkip.conf: line 10: longer than 1024 characters",
                  "kipkip.conf: line 12: pad2: start opens the menu; a button of the game "
                  "cannot be on it",
                  "kipkip.conf: line 13: pad1: no controller button is called \"z\" (a, b, x, "
                  "y, leftshoulder, rightshoulder)",
                  "kipkip.conf: line 14: pad3: no controller button is called \"\" (a, b, x, y, "
                  "leftshoulder, rightshoulder)",
                  "kipkip.conf: line 16: button2: \"Escape\" is the window's own key (Escape "
                  "menu, P pause, M music, F11, F12)",
              }));
    EXPECT_EQ(result.options.padButtons,
              (PadBinding{PadButton::RightShoulder, PadButton::East, PadButton::West}));
    EXPECT_EQ(result.options.musicVolume, 40);
    EXPECT_EQ(result.options.keyNames[3], "d");
    EXPECT_EQ(result.options.scale, 0);
}

TEST(SettingsFile, AFileTooLargeIsNotRead)
{
    std::string huge(SettingsFile::kMaxSize + 1, '\n');
    auto result = ParseSettings("scale = 2\n" + huge);
    ASSERT_EQ(result.errors.size(), 1u);
    EXPECT_EQ(result.options.scale, 0);
}

TEST(SettingsFile, PrintedSettingsReadBackTheSame)
{
    Options options;
    options.keyNames[4] = "left shift";
    options.padButtons[1] = PadButton::RightShoulder;
    options.scale = 2;
    options.autopause = false;
    options.paceMarker = false;
    options.speed = 80;
    options.musicVolume = 35;
    options.soundFontFile = "/opt/sf/big.sf2";
    std::string text = SettingsFile::Format(options);
    EXPECT_NE(text.find("\nbutton1 = left shift\n"), std::string::npos) << text;
    EXPECT_NE(text.find("\npad1 = a\npad2 = rightshoulder\npad3 = x\n"), std::string::npos) << text;
    EXPECT_NE(text.find("\ncontroller-mappings =\n"), std::string::npos) << text;
    EXPECT_NE(text.find("\npace-marker = no\n"), std::string::npos) << text;
    auto result = ParseSettings(text);
    EXPECT_EQ(result.errors, std::vector<std::string>{});
    EXPECT_EQ(SettingsFile::Format(result.options), text);
    EXPECT_EQ(SettingsFile::Format(ParseSettings(SettingsFile::Format(Options{})).options),
              SettingsFile::Format(Options{}));
}

TEST(SettingsFile, TheCommandLineWinsOverTheFile)
{
    auto settings = ParseSettings("scale = 3\nmusic-volume = 20\nautopause = no\n");
    std::vector<const char*> arguments = {"--scale", "2"};
    auto parsed = CommandLine::Parse(arguments, settings.options);
    ASSERT_FALSE(parsed.error) << *parsed.error;
    EXPECT_EQ(parsed.options.scale, 2);
    EXPECT_EQ(parsed.options.musicVolume, 20);
    EXPECT_FALSE(parsed.options.autopause);
}

TEST(SettingsFile, TheFileLivesInTheUsersConfigFolder)
{
    EXPECT_EQ(SettingsFile::DefaultPath("/x/cfg", "/home/p"), "/x/cfg/kipkip/kipkip.conf");
    EXPECT_EQ(SettingsFile::DefaultPath(nullptr, "/home/p"), "/home/p/.config/kipkip/kipkip.conf");
    EXPECT_EQ(SettingsFile::DefaultPath("relative", "/home/p"),
              "/home/p/.config/kipkip/kipkip.conf");
    EXPECT_EQ(SettingsFile::DefaultPath(nullptr, nullptr), "");
}

TEST(SettingsFile, AMissingFileIsAnErrorOnlyWhenNamed)
{
    test::TempDir dir;
    std::string path = (dir.Path() / "none.conf").string();
    EXPECT_TRUE(SettingsFile::Load(path, Options{}, false).errors.empty());
    EXPECT_EQ(SettingsFile::Load(path, Options{}, true).errors,
              std::vector<std::string>{path + ": cannot be read"});
}

}  // namespace
}  // namespace kipkip
