#include "platform/resources.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "platform/files.h"

namespace kipkip {
namespace {

TEST(Resources, LookupIgnoresCaseAndGivesTheExactBytes)
{
    auto file = ReadWholeFile(KIPKIP_SOURCE_DIR "/assets/text/dificulty.txt");
    ASSERT_TRUE(file);
    for (auto [type, name] :
         {std::pair{"TEXT", "dificulty"}, {"text", "DIFICULTY"}, {"Text", "DiFiCuLtY"}}) {
        auto resource = FindResource(type, name);
        ASSERT_TRUE(resource) << type << " " << name;
        EXPECT_TRUE(std::equal(resource->begin(), resource->end(), file->begin(), file->end()));
    }
}

TEST(Resources, AnUnknownNameOrTypeGivesNothing)
{
    EXPECT_FALSE(FindResource("TEXT", "toybox-missing"));
    EXPECT_FALSE(FindResource("BITMAP", "dificulty"));
    EXPECT_FALSE(FindResource("TEXT", ""));
    EXPECT_FALSE(FindResource("TEXT", "dificult"));
}

TEST(Resources, NamesCompareCaseOnlyInAsciiLetters)
{
    EXPECT_TRUE(EqualsIgnoringCase("Title", "TITLE"));
    EXPECT_FALSE(EqualsIgnoringCase("Title", "Titles"));
    // "ア" is 83 41 and "ヂ" 83 61: the trail bytes look like 'A' and 'a' but are not letters.
    EXPECT_FALSE(EqualsIgnoringCase("\x83\x41", "\x83\x61"));
    EXPECT_TRUE(EqualsIgnoringCase("\x83\x41x", "\x83\x41X"));
}

}  // namespace
}  // namespace kipkip
