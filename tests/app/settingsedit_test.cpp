#include "app/settingsedit.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <vector>

#include "support/tempdir.h"

namespace kipkip {
namespace {

using Changes = std::vector<SettingsEdit::Change>;

SettingsFile::Result Read(std::string_view text)
{
    return SettingsFile::Parse(
        "kipkip.conf", std::span(reinterpret_cast<const std::uint8_t*>(text.data()), text.size()),
        Options{}, {});
}

struct EditCase {
    const char* what;
    std::string text;
    Changes changes;
    std::string expected;
};

TEST(SettingsEdit, RewritesOnlyTheValuesThatChangeAndAddsTheRest)
{
    const EditCase cases[] = {
        {"a new file", "", {{"scale", "4"}}, "scale = 4\n"},
        {"comments and blank lines stay",
         "# mine\n\nscale = 2\n# end\n",
         {{"scale", "4"}},
         "# mine\n\nscale = 4\n# end\n"},
        {"the last line of a key given twice is the one rewritten",
         "scale = 2\nup = z\nscale = 3\n",
         {{"scale", "4"}},
         "scale = 2\nup = z\nscale = 4\n"},
        {"a missing key is added at the end",
         "up = z\n",
         {{"music-volume", "60"}},
         "up = z\nmusic-volume = 60\n"},
        {"a file without a last line ending gets one first",
         "up = z",
         {{"vsync", "no"}},
         "up = z\nvsync = no\n"},
        {"CR LF lines keep their endings and added lines use them",
         "# a\r\nscale = 2\r\nup = z",
         {{"scale", "auto"}, {"down", "s"}},
         "# a\r\nscale = auto\r\nup = z\r\ndown = s\r\n"},
        {"a rewritten line keeps its own ending",
         "scale = 2\r\nup = z\n",
         {{"scale", "3"}},
         "scale = 3\r\nup = z\n"},
        {"the comment after a value stays",
         "scale = 4  # big\n",
         {{"scale", "5"}},
         "scale = 5  # big\n"},
        {"the player's spelling and spacing stay",
         "\tMusic-Volume=40\t# quiet\n",
         {{"music-volume", "70"}},
         "\tMusic-Volume=70\t# quiet\n"},
        {"unknown keys and bad lines stay",
         "jump = space\nfullscreen\nscale = 9\n",
         {{"scale", "2"}},
         "jump = space\nfullscreen\nscale = 2\n"},
        {"several changes at once, in place and added",
         "up = w\nleft = a\n# keys\n",
         {{"left", "q"}, {"up", "z"}, {"fullscreen", "yes"}, {"effects-volume", "0"}},
         "up = z\nleft = q\n# keys\nfullscreen = yes\neffects-volume = 0\n"},
        {"an empty value gets one",
         "soundfont =  # default\n",
         {{"soundfont", "/f/gm.sf2"}},
         "soundfont = /f/gm.sf2  # default\n"},
        {"a value emptied is written as print-config writes it",
         "soundfont = /f/gm.sf2\n",
         {{"soundfont", ""}},
         "soundfont =\n"},
        {"a line too long for the reader is not the key's line",
         "scale = 2\nscale = 3 #" + std::string(SettingsFile::kMaxLineLength, 'x') + "\n",
         {{"scale", "4"}},
         "scale = 4\nscale = 3 #" + std::string(SettingsFile::kMaxLineLength, 'x') + "\n"},
        {"a key changed twice takes the later value",
         "",
         {{"scale", "2"}, {"SCALE", "3"}},
         "scale = 3\n"},
    };
    for (const EditCase& c : cases) {
        const SettingsEdit::Result result = SettingsEdit::Edit("kipkip.conf", c.text, c.changes);
        EXPECT_EQ(result.error, "") << c.what;
        EXPECT_EQ(result.text, c.expected) << c.what;
    }
}

TEST(SettingsEdit, ReadBackGivesTheNewValuesAndEverythingElseAsBefore)
{
    const std::string text =
        "# ZQSD\r\nup = z\r\nleft = q\r\nscale = 2\r\nsoundfont = fonts/gm.sf2 # mine\r\n"
        "jump = x\r\nscale = 3\r\nmusic-volume = 150\r\n";
    Options wanted = Read(text).options;
    wanted.scale = 0;
    wanted.musicVolume = 30;
    wanted.keyNames[3] = "d";
    wanted.autopause = false;
    const Changes changes = SettingsEdit::Changes(Read(text).options, wanted);
    ASSERT_EQ(
        changes,
        (Changes{{"right", "d"}, {"scale", "auto"}, {"autopause", "no"}, {"music-volume", "30"}}));

    const SettingsEdit::Result result = SettingsEdit::Edit("kipkip.conf", text, changes);
    ASSERT_EQ(result.error, "");
    const SettingsFile::Result back = Read(result.text);
    EXPECT_EQ(SettingsFile::Values(back.options), SettingsFile::Values(wanted));
    // The bad music volume was the line rewritten, so only the unknown key is still reported.
    EXPECT_EQ(back.errors,
              std::vector<std::string>{"kipkip.conf: line 6: unknown setting \"jump\""});
}

TEST(SettingsEdit, AValueThatWouldNotReadBackIsRefusedWithTheReason)
{
    const struct {
        Changes changes;
        std::string error;
    } cases[] = {
        {{{"soundfont", "/f/my #1.sf2"}},
         "kipkip.conf: soundfont = \"/f/my #1.sf2\" would read back as \"/f/my\""},
        {{{"soundfont", "/f/a.sf2\nscale = 8"}},
         "kipkip.conf: soundfont = \"/f/a.sf2\nscale = 8\" would read back as \"/f/a.sf2\""},
        {{{"scale", "9"}},
         "kipkip.conf: line 3: scale: scale takes a whole number from 1 to 8, not \"9\""},
        {{{"fullscreen", "on"}}, "kipkip.conf: fullscreen = \"on\" would read back as \"yes\""},
        {{{"soundfont", "/" + std::string(SettingsFile::kMaxLineLength, 'f')}},
         "kipkip.conf: line 3: longer than 1024 characters"},
        {{{"pace", "2"}}, "kipkip.conf: no setting is called \"pace\""},
    };
    for (const auto& c : cases) {
        const SettingsEdit::Result result =
            SettingsEdit::Edit("kipkip.conf", "up = z\n# keys\n", c.changes);
        EXPECT_EQ(result.error, c.error) << c.changes[0].key;
        EXPECT_EQ(result.text, "") << c.changes[0].key;
    }
}

TEST(SettingsEdit, AFileTheReaderWouldNotTakeIsNotEdited)
{
    const std::string large(SettingsFile::kMaxSize + 1, '\n');
    EXPECT_NE(SettingsEdit::Edit("kipkip.conf", large, Changes{{"scale", "2"}}).error, "");
    const std::string full(SettingsFile::kMaxSize - 4, '\n');
    EXPECT_NE(SettingsEdit::Edit("kipkip.conf", full, Changes{{"scale", "2"}}).error, "");
}

TEST(SettingsEdit, SavingMakesTheFolderAndAnExistingFileKeepsItsOtherLines)
{
    test::TempDir dir;
    const std::filesystem::path file = dir.Path() / "config" / "kipkip" / "kipkip.conf";
    EXPECT_EQ(SettingsEdit::Save(file.string(), Changes{{"scale", "3"}}), std::nullopt);
    EXPECT_EQ(test::Contents(file), "scale = 3\n");

    EXPECT_EQ(SettingsEdit::Save(file.string(), Changes{{"scale", "4"}, {"up", "z"}}),
              std::nullopt);
    EXPECT_EQ(test::Contents(file), "scale = 4\nup = z\n");
    EXPECT_FALSE(std::filesystem::exists(file.string() + ".new"));
}

TEST(SettingsEdit, ALinkedSettingsFileStaysALink)
{
    test::TempDir dir;
    const std::string target = dir.Write("dotfiles/kipkip.conf", "# shared\n");
    const std::filesystem::path link = dir.Path() / "kipkip.conf";
    std::filesystem::create_symlink(target, link);
    EXPECT_EQ(SettingsEdit::Save(link.string(), Changes{{"vsync", "no"}}), std::nullopt);
    EXPECT_TRUE(std::filesystem::is_symlink(link));
    EXPECT_EQ(test::Contents(target), "# shared\nvsync = no\n");
}

TEST(SettingsEdit, AFailedSaveSaysWhereAndWhyAndLeavesTheFileAsItWas)
{
    test::TempDir dir;
    const std::string file = dir.Write("kipkip/kipkip.conf", "# mine\nscale = 2\n");
    // The temporary file beside it cannot be made: a folder is in its place.
    std::filesystem::create_directory(file + ".new");
    EXPECT_EQ(SettingsEdit::Save(file, Changes{{"scale", "3"}}),
              "the settings could not be saved to " + file + ": Is a directory");
    EXPECT_EQ(test::Contents(file), "# mine\nscale = 2\n");

    const std::string blocked = dir.Write("plain", "not a folder");
    EXPECT_EQ(SettingsEdit::Save(blocked + "/kipkip.conf", Changes{{"scale", "3"}}),
              "the settings could not be saved to " + blocked + "/kipkip.conf: the folder " +
                  blocked + " cannot be made: Not a directory");

    EXPECT_EQ(SettingsEdit::Save(file, Changes{{"scale", "12"}}),
              "the settings could not be saved to " + file +
                  ": line 2: scale: scale takes a whole number from 1 to 8, not \"12\"");
    EXPECT_EQ(test::Contents(file), "# mine\nscale = 2\n");
}

TEST(SettingsEdit, TheFileInForceIsTheNamedOneElseTheUsualPlace)
{
    Options named;
    named.configFile = "/tmp/mine.conf";
    EXPECT_EQ(SettingsFile::PathInForce(named, "/xdg", "/home/p"), "/tmp/mine.conf");
    EXPECT_EQ(SettingsFile::PathInForce(Options{}, "/xdg", "/home/p"), "/xdg/kipkip/kipkip.conf");
    EXPECT_EQ(SettingsEdit::Save(SettingsFile::PathInForce(Options{}, nullptr, nullptr),
                                 Changes{{"scale", "3"}}),
              "the settings could not be saved: neither XDG_CONFIG_HOME nor HOME is set");
}

}  // namespace
}  // namespace kipkip
