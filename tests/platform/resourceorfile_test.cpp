#include "platform/resourceorfile.h"

#include <gtest/gtest.h>

#include <string>

#include "support/tempdir.h"

namespace kipkip {
namespace {

std::string Text(const ResourceBytes& bytes)
{
    return {bytes.Bytes().begin(), bytes.Bytes().end()};
}

// A file named like a built-in resource does not replace it: the data only adds files.
TEST(ResourceOrFile, TheBuiltInResourceComesBeforeAFileOfTheSameName)
{
    test::TempDir dir;
    test::ScopedCurrentPath inside(dir.Path());
    dir.Write("dificulty", "from the file");
    auto found = ReadResourceOrFile("TEXT", "DIFICULTY");
    ASSERT_TRUE(found);
    EXPECT_FALSE(found->FromFile());
    EXPECT_NE(Text(*found), "from the file");
}

TEST(ResourceOrFile, AFileIsReadWhenNoResourceHasTheName)
{
    test::TempDir dir;
    test::ScopedCurrentPath inside(dir.Path());
    dir.Write("files/Song.mid", "MThd...");
    // Windows names: backslashes and another letter case find the same file.
    auto found = ReadResourceOrFile("MIDI", "FILES\\song.MID");
    ASSERT_TRUE(found);
    EXPECT_TRUE(found->FromFile());
    EXPECT_EQ(Text(*found), "MThd...");
    // A file keeps its bytes when the result is moved.
    ResourceBytes moved = std::move(*found);
    EXPECT_EQ(Text(moved), "MThd...");
}

TEST(ResourceOrFile, NeitherResourceNorFileGivesNothing)
{
    test::TempDir dir;
    test::ScopedCurrentPath inside(dir.Path());
    EXPECT_FALSE(ReadResourceOrFile("WAVE", "no-such-sound.wav"));
}

TEST(ResourceOrFile, AGivenLookupTakesThePlaceOfTheProgramsTable)
{
    test::TempDir dir;
    test::ScopedCurrentPath inside(dir.Path());
    const std::string own = "own bytes";
    ResourceLookup lookup =
        [&own](std::string_view type,
               std::string_view name) -> std::optional<std::span<const std::uint8_t>> {
        if (type == "MIDI" && name == "theme") {
            return std::span(reinterpret_cast<const std::uint8_t*>(own.data()), own.size());
        }
        return std::nullopt;
    };
    auto found = ReadResourceOrFile("MIDI", "theme", lookup);
    ASSERT_TRUE(found);
    EXPECT_EQ(Text(*found), own);
    // The program's own resources are not looked at through another table.
    EXPECT_FALSE(ReadResourceOrFile("TEXT", "dificulty", lookup));
}

}  // namespace
}  // namespace kipkip
