// The trace listener writes a line after every loop tick, numbered by the loop tick and the
// game tick, with the kernel's state as the tick left it.
#include "app/tracelistener.h"

#include <gtest/gtest.h>

#include <fstream>
#include <string>
#include <vector>

#include "app/tracewriter.h"
#include "support/formrig.h"
#include "support/tempdir.h"

namespace kipkip {
namespace {

std::vector<std::string> Lines(const std::string& path)
{
    std::ifstream in(path);
    std::vector<std::string> lines;
    for (std::string line; std::getline(in, line);) {
        lines.push_back(line);
    }
    return lines;
}

TEST(TraceListener, WritesALineEachLoopTickWithTheGameTickBesideIt)
{
    test::TempDir dir;
    const std::string path = (dir.Path() / "trace.jsonl").string();
    TraceWriter writer;
    ASSERT_TRUE(writer.Open(path));
    test::FormRig rig;
    TraceListener trace(writer, rig.clock, rig.form, [] { return std::string("closed"); });
    EXPECT_TRUE(rig.Tick(trace));
    EXPECT_TRUE(rig.Tick(trace, false));  // a tick that leaves the game as it was
    EXPECT_TRUE(rig.Tick(trace));
    writer = TraceWriter();
    std::vector<std::string> lines = Lines(path);
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_TRUE(lines[0].starts_with("{\"tick\":1,\"gameTick\":1,\"ms\":20,\"held\":0,"))
        << lines[0];
    EXPECT_TRUE(lines[1].starts_with("{\"tick\":2,\"gameTick\":1,\"ms\":20,")) << lines[1];
    EXPECT_TRUE(lines[2].starts_with("{\"tick\":3,\"gameTick\":2,\"ms\":40,")) << lines[2];
}

}  // namespace
}  // namespace kipkip
