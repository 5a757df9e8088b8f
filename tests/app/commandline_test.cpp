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
    const std::pair<std::vector<const char*>, const char*> cases[] = {
        {{"--bogus"}, "unknown option --bogus"},
        {{"stray"}, "unexpected argument stray"},
        {{"--scale", "9"}, "--scale takes a whole number from 1 to 8, not \"9\""},
        {{"--scale", "2x"}, "--scale takes a whole number from 1 to 8, not \"2x\""},
        {{"--speed", "40"}, "--speed takes a speed from 50 to 100 in steps of 10, not \"40\""},
        {{"--speed", "75"}, "--speed takes a speed from 50 to 100 in steps of 10, not \"75\""},
        {{"--speed", "110%"}, "--speed takes a speed from 50 to 100 in steps of 10, not \"110%\""},
        {{"--speed", "fast"}, "--speed takes a speed from 50 to 100 in steps of 10, not \"fast\""},
        {{"--ticks", "0"}, "--ticks takes a whole number from 1 to 4294967295, not \"0\""},
        {{"--ticks"}, "--ticks needs N"},
        {{"--input", "keys.txt"}, "--input needs --headless"},
        {{"--audio-out", "run.wav"}, "--audio-out needs --headless"},
        {{"--headless", "--audio-out"}, "--audio-out needs FILE.wav"},
    };
    for (const auto& [arguments, error] : cases) {
        EXPECT_EQ(ParseArgs(arguments).error.value_or("<none>"), error);
    }
}

TEST(CommandLine, ValuesLandInTheirOptions)
{
    auto result = ParseArgs({"--headless", "--ticks", "150", "--input", "k.txt", "--scale", "3",
                             "--trace", "t.jsonl", "--fullscreen", "--stats", "--trace-actors",
                             "--dir", "data", "--mute", "--audio-out", "run.wav", "--speed", "60"});
    ASSERT_FALSE(result.error) << *result.error;
    const Options& o = result.options;
    EXPECT_TRUE(o.headless && o.fullScreen && o.stats && o.traceActors && o.mute);
    EXPECT_EQ(o.audioOutFile, "run.wav");
    EXPECT_EQ(o.dataDir, "data");
    EXPECT_EQ(o.ticks, 150u);
    EXPECT_EQ(o.scale, 3);
    EXPECT_EQ(o.speed, 60);
    EXPECT_EQ(o.inputFile, "k.txt");
    EXPECT_EQ(o.traceFile, "t.jsonl");
}

TEST(CommandLine, AutopauseIsOnUnlessTurnedOff)
{
    auto plain = ParseArgs({"--scale", "2"});
    ASSERT_FALSE(plain.error) << *plain.error;
    EXPECT_TRUE(plain.options.autopause);
    auto off = ParseArgs({"--no-autopause"});
    ASSERT_FALSE(off.error) << *off.error;
    EXPECT_FALSE(off.options.autopause);
    EXPECT_TRUE(ParseArgs({"--no-autopause", "yes"}).error);  // a flag takes no value
}

TEST(CommandLine, ThePaceMarkerIsAskedForOnlyByItsFlagAndTheRecordsKeptOnlyWhenAsked)
{
    Options fileOff;  // a settings file that turned the marker off
    fileOff.paceMarker = false;
    const struct {
        std::vector<const char*> arguments;
        Options base;
        bool paceMarker;
        bool asked;
        bool withRecords;
    } cases[] = {
        {{}, {}, true, false, false},
        {{}, fileOff, false, false, false},
        {{"--pace-marker"}, fileOff, true, true, false},
        {{"--no-pace-marker"}, {}, false, false, false},
        {{"--pace-marker", "--no-pace-marker"}, {}, false, true, false},
        {{"--no-pace-marker", "--pace-marker"}, {}, true, true, false},
        {{"--with-records"}, {}, true, false, true},
        {{"--with-records", "--pace-marker", "--headless"}, fileOff, true, true, true},
    };
    for (const auto& c : cases) {
        std::string shown;
        for (const char* argument : c.arguments) {
            shown += std::string(argument) + " ";
        }
        SCOPED_TRACE(shown);
        const CommandLine::Result result = CommandLine::Parse(c.arguments, c.base);
        ASSERT_FALSE(result.error) << *result.error;
        EXPECT_EQ(result.options.paceMarker, c.paceMarker);
        EXPECT_EQ(result.options.paceMarkerAsked, c.asked);
        EXPECT_EQ(result.options.withRecords, c.withRecords);
    }
    for (const char* flag : {"--pace-marker", "--no-pace-marker", "--with-records"}) {
        EXPECT_TRUE(ParseArgs({flag, "yes"}).error) << flag << " takes no value";
    }
}

TEST(CommandLine, HelpListsEveryOptionOnItsOwnLine)
{
    std::string help = CommandLine::Help();
    for (const char* option :
         {"--scale N", "--fullscreen", "--headless", "--ticks N", "--input FILE", "--trace FILE",
          "--trace-actors", "--dir DIR", "--no-autopause", "--stats", "--mute",
          "--audio-out FILE.wav", "--check", "--dump", "--help", "--version", "--pace-marker",
          "--no-pace-marker", "--with-records"}) {
        EXPECT_NE(help.find(std::string("\n  ") + option), std::string::npos) << option;
    }
}

}  // namespace
}  // namespace kipkip
