#include "platform/files.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "support/tempdir.h"

namespace kipkip {
namespace {

std::string AsText(const std::optional<std::vector<std::uint8_t>>& bytes)
{
    return bytes ? std::string(bytes->begin(), bytes->end()) : "<none>";
}

TEST(Files, WindowsNamesFindTheFileWhateverTheCase)
{
    test::TempDir dir;
    dir.Write("Files/Data.TOY", "scene");
    // "キップ" (Kip) in Shift-JIS names a folder that is "キップ" in UTF-8 on disk.
    dir.Write("\xe3\x82\xad\xe3\x83\x83\xe3\x83\x97/Back.bmp", "bitmap");
    test::ScopedCurrentPath inside(dir.Path());
    EXPECT_EQ(AsText(ReadWholeFile("files\\data.toy")), "scene");
    EXPECT_EQ(AsText(ReadWholeFile("FILES/DATA.toy")), "scene");
    EXPECT_EQ(AsText(ReadWholeFile(dir.Path().string() + "\\files\\data.toy")), "scene");
    EXPECT_EQ(AsText(ReadWholeFile("\x83\x4c\x83\x62\x83\x76\\back.bmp")), "bitmap");
    EXPECT_TRUE(FileExists("files\\DATA.toy"));
    EXPECT_FALSE(FileExists("files"));  // a folder is no file
    EXPECT_FALSE(FileExists("files\\data.to"));
    EXPECT_EQ(AsText(ReadWholeFile("files\\missing.toy")), "<none>");
}

TEST(Files, ReadGivesExactlyTheBytesOfTheFile)
{
    test::TempDir dir;
    using namespace std::string_literals;
    std::string bytes = "a\0b\r\n\xff"s;
    std::string path = dir.Write("raw.bin", bytes);
    EXPECT_EQ(AsText(ReadWholeFile(path)), bytes);
    EXPECT_EQ(AsText(ReadWholeFile(dir.Write("empty", ""))), "");
}

TEST(Files, WriteReplacesTheFileAndLeavesNothingElseBehind)
{
    test::TempDir dir;
    std::string path = dir.Write("KipKip.dat", "OLDSCORE");
    const std::string_view next = "ABCDEFGH";
    ASSERT_TRUE(
        WriteWholeFile((dir.Path() / "kipkip.dat").string(),
                       std::span(reinterpret_cast<const std::uint8_t*>(next.data()), next.size())));
    EXPECT_EQ(AsText(ReadWholeFile(path)), "ABCDEFGH");
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.Path()),
                            std::filesystem::directory_iterator()),
              1);
}

TEST(Files, AWriteThatCannotHappenFailsCleanly)
{
    test::TempDir dir;
    std::filesystem::create_directory(dir.Path() / "folder");
    EXPECT_FALSE(WriteWholeFile((dir.Path() / "no/such/folder/file").string(), {}));
    EXPECT_FALSE(WriteWholeFile((dir.Path() / "folder").string(), {}));
    EXPECT_TRUE(std::filesystem::is_directory(dir.Path() / "folder"));
}

}  // namespace
}  // namespace kipkip
