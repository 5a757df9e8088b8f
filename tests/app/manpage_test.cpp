// The manual page: every option --help lists and every settings key is on it, written so that
// roff prints them as they are.
#include "app/manpage.h"

#include <gtest/gtest.h>

#include "app/commandline.h"
#include "app/settingsfile.h"

namespace kipkip {
namespace {

TEST(ManPage, HoldsEveryOptionAndEverySettingsKey)
{
    const std::string page = ManPage::Text("9.8.7");
    EXPECT_EQ(page.rfind(".TH KIPKIP 6 \"\" \"kipkip 9.8.7\"", 0), 0u) << page.substr(0, 80);
    for (const CommandLine::OptionHelp& option : CommandLine::AllOptions()) {
        EXPECT_NE(page.find(".B " + ManPage::Escaped(option.name)), std::string::npos)
            << option.name;
        EXPECT_NE(page.find(ManPage::Escaped(option.help)), std::string::npos) << option.name;
    }
    for (const SettingsFile::KeyHelp& key : SettingsFile::Keys()) {
        EXPECT_NE(page.find(".B " + ManPage::Escaped(key.key) + "\n"), std::string::npos)
            << key.key;
    }
}

TEST(ManPage, EscapesWhatRoffWouldReadAsItsOwn)
{
    const struct {
        const char* text;
        const char* escaped;
    } cases[] = {
        {"--records", "\\-\\-records"},
        {"files\\data.toy", "files\\edata.toy"},
        {".starts with a dot", "\\&.starts with a dot"},
        {"'quoted", "\\&'quoted"},
        {"a.b 'c'", "a.b 'c'"},
        {"", ""},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ManPage::Escaped(c.text), c.escaped) << c.text;
    }
}

}  // namespace
}  // namespace kipkip
