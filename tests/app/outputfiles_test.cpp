// The output files of the command line are checked before the run, and nothing is created.
#include "app/outputfiles.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "support/tempdir.h"

namespace kipkip {
namespace {

TEST(OutputFiles, NamesEachFileThatCannotBeWrittenAndWhy)
{
    test::TempDir dir;
    const std::string folder = (dir.Path() / "folder").string();
    std::filesystem::create_directory(folder);
    const std::string missing = (dir.Path() / "missing").string();
    Options options;
    options.traceFile = (dir.Path() / "trace.jsonl").string();
    options.recordFile = folder;
    options.audioOutFile = missing + "/run.wav";
    options.midiLogFile = dir.Write("old.log", "old");
    options.shots = {{1, (dir.Path() / "one.bmp").string()}, {2, missing + "/two.bmp"}};
    EXPECT_EQ(
        UnwritableOutputs(options),
        (std::vector<std::string>{"cannot write the recording " + folder + ": it is a folder",
                                  "cannot write the sound " + missing + "/run.wav: the folder " +
                                      missing + " does not exist",
                                  "cannot write the shot " + missing + "/two.bmp: the folder " +
                                      missing + " does not exist"}));
    EXPECT_FALSE(std::filesystem::exists(options.traceFile)) << "the check creates nothing";
    EXPECT_FALSE(std::filesystem::exists(options.shots[0].file));
}

TEST(OutputFiles, ANameWithoutAFolderMeansTheCurrentOne)
{
    test::TempDir dir;
    test::ScopedCurrentPath inside(dir.Path());
    Options options;
    options.traceFile = "trace.jsonl";
    EXPECT_TRUE(UnwritableOutputs(options).empty());
    EXPECT_TRUE(UnwritableOutputs(Options{}).empty());
}

}  // namespace
}  // namespace kipkip
