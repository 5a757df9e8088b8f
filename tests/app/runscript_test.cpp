// The scripted keys of a run: a recording's or an input script's, read before the run starts.
#include "app/runscript.h"

#include <gtest/gtest.h>

#include "support/tempdir.h"

namespace kipkip {
namespace {

TEST(RunScript, ARecordingBringsItsKeysAndAnInputScriptBesideItThePlayers)
{
    test::TempDir dir;
    Options options;
    options.replayFile = dir.Write("run.rec", "kipkip-replay 1\nhiscore 5\n1 none\n4 space\n");
    RunScript script;
    std::string error;
    ASSERT_TRUE(script.Load(options, error)) << error;
    ASSERT_TRUE(script.Replay());
    EXPECT_EQ(script.Replay()->hiScore, 5);
    EXPECT_TRUE(script.Replay()->script.HeldAt(4).keys.test(0x39));
    EXPECT_FALSE(script.Keys());

    options.inputFile = dir.Write("input.txt", "1 none\n2 escape\n");
    ASSERT_TRUE(script.Load(options, error)) << error;
    ASSERT_TRUE(script.Replay());
    ASSERT_TRUE(script.Keys());
    EXPECT_TRUE(script.Keys()->HeldAt(2).keys.test(0x01));
}

TEST(RunScript, AnInputScriptBringsItsKeysOnly)
{
    test::TempDir dir;
    Options options;
    options.inputFile = dir.Write("input.txt", "1 none\n2 space\n");
    RunScript script;
    std::string error;
    ASSERT_TRUE(script.Load(options, error)) << error;
    EXPECT_FALSE(script.Replay());
    ASSERT_TRUE(script.Keys());
    EXPECT_TRUE(script.Keys()->HeldAt(2).keys.test(0x39));
}

TEST(RunScript, APlayedRunHasNoScript)
{
    RunScript script;
    std::string error;
    ASSERT_TRUE(script.Load(Options{}, error));
    EXPECT_FALSE(script.Replay());
    EXPECT_FALSE(script.Keys());
}

TEST(RunScript, ABadFileIsAnErrorThatNamesItsLine)
{
    test::TempDir dir;
    const std::string badRecording = dir.Write("bad.rec", "kipkip-replay 1\nhiscore x\n");
    const std::string badScript = dir.Write("bad.txt", "1 none\n2 spcae\n");
    struct Case {
        std::string Options::*field;
        std::string file;
        std::string line;
    };
    const Case cases[] = {{&Options::replayFile, badRecording, ": line 2: "},
                          {&Options::inputFile, badScript, ": line 2: "},
                          {&Options::replayFile, (dir.Path() / "none.rec").string(), ""}};
    for (const Case& c : cases) {
        Options options;
        options.*c.field = c.file;
        RunScript script;
        std::string error;
        EXPECT_FALSE(script.Load(options, error)) << c.file;
        EXPECT_NE(error.find(c.file + c.line), std::string::npos) << error;
    }
}

}  // namespace
}  // namespace kipkip
