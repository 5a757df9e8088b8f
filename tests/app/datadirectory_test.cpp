// --dir: the names of the command line keep meaning the files where the program started, and the
// data directory becomes the current one.
#include "app/datadirectory.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "support/tempdir.h"

namespace kipkip {
namespace {

TEST(DataDirectory, MakesTheNamesAbsoluteThenEntersTheDirectory)
{
    test::TempDir dir;
    std::filesystem::create_directory(dir.Path() / "data");
    test::ScopedCurrentPath inside(dir.Path());
    Options options;
    options.dataDir = "data";
    options.traceFile = "trace.jsonl";
    options.recordFile = "out/run.rec";
    options.shots = {{5, "five.bmp"}};
    options.midiLogFile = "/elsewhere/midi.log";
    ASSERT_EQ(EnterDataDirectory(options), std::nullopt);
    EXPECT_EQ(std::filesystem::current_path(), dir.Path() / "data");
    EXPECT_EQ(options.traceFile, (dir.Path() / "trace.jsonl").string());
    EXPECT_EQ(options.recordFile, (dir.Path() / "out/run.rec").string());
    EXPECT_EQ(options.shots[0].file, (dir.Path() / "five.bmp").string());
    EXPECT_EQ(options.midiLogFile, "/elsewhere/midi.log");
    EXPECT_EQ(options.replayFile, "") << "a name not given stays unnamed";
}

TEST(DataDirectory, WithoutDirNothingChanges)
{
    Options options;
    options.traceFile = "trace.jsonl";
    const auto here = std::filesystem::current_path();
    EXPECT_EQ(EnterDataDirectory(options), std::nullopt);
    EXPECT_EQ(options.traceFile, "trace.jsonl");
    EXPECT_EQ(std::filesystem::current_path(), here);
}

TEST(DataDirectory, AMissingDirectoryIsNamed)
{
    test::TempDir dir;
    test::ScopedCurrentPath inside(dir.Path());
    dir.Write("a-file", "x");
    for (const char* name : {"no-such-folder", "a-file"}) {
        Options options;
        options.dataDir = name;
        EXPECT_EQ(EnterDataDirectory(options),
                  "the data directory " + std::string(name) + " does not exist");
        EXPECT_EQ(std::filesystem::current_path(), dir.Path());
    }
}

}  // namespace
}  // namespace kipkip
