#include "app/commandline.h"

#include <gtest/gtest.h>

#include <vector>

namespace kipkip {
namespace {

CommandLine::Result ParseArgs(std::vector<const char*> arguments)
{
    return CommandLine::Parse(arguments);
}

TEST(CommandLine, CheckTakesEveryFileWhereverTheFlagsStand)
{
    auto result = ParseArgs({"a.txt", "--check", "b.anm", "--dump"});
    ASSERT_FALSE(result.error);
    EXPECT_TRUE(result.options.check);
    EXPECT_TRUE(result.options.dump);
    EXPECT_EQ(result.options.files, (std::vector<std::string>{"a.txt", "b.anm"}));
}

TEST(CommandLine, ErrorsNameTheArgument)
{
    EXPECT_EQ(ParseArgs({"--bogus"}).error.value_or(""), "unknown option --bogus");
    EXPECT_EQ(ParseArgs({"stray"}).error.value_or(""), "unexpected argument stray");
}

TEST(CommandLine, HelpListsEveryOptionOnItsOwnLine)
{
    std::string help = CommandLine::Help();
    for (const char* option : {"--check", "--dump", "--help", "--version"}) {
        EXPECT_NE(help.find(std::string("\n  ") + option), std::string::npos) << option;
    }
}

}  // namespace
}  // namespace kipkip
