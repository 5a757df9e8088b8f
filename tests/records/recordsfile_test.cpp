#include "records/recordsfile.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "records/recordstext.h"
#include "support/tempdir.h"

namespace kipkip {
namespace {

namespace fs = std::filesystem;

RecordsTable OneRecord()
{
    RecordsTable table;
    table.SetLastInitials("KIP");
    table.Insert({"KIP", 321, 400, 3, 7, "2026-12-11", 80, "0001.rec"});
    return table;
}

TEST(RecordsFile, SavesAndLoadsTheTableInTheDataDirectory)
{
    test::TempDir dir;
    EXPECT_EQ(RecordsFile::Save(dir.Path().string(), OneRecord()), std::nullopt);
    EXPECT_EQ(test::Contents(dir.Path() / "kipkip-records.txt"), RecordsText::Format(OneRecord()));
    const RecordsFile::Loaded loaded = RecordsFile::Load(dir.Path().string());
    EXPECT_EQ(loaded.table, OneRecord());
    EXPECT_TRUE(loaded.writable);
    EXPECT_EQ(loaded.message, "");
}

TEST(RecordsFile, NoFileIsAnEmptyTableWithNothingToSay)
{
    test::TempDir dir;
    const RecordsFile::Loaded loaded = RecordsFile::Load(dir.Path().string());
    EXPECT_TRUE(loaded.table.Empty());
    EXPECT_TRUE(loaded.writable);
    EXPECT_EQ(loaded.message, "");
    EXPECT_TRUE(fs::is_empty(dir.Path())) << "loading creates nothing";
}

TEST(RecordsFile, ADamagedFileIsSetAsideWithEveryByteAndNeverOverAnother)
{
    std::string oversized = "kipkip-records 1\n" + std::string(RecordsText::kMaxSize + 100, '#');
    std::string eleven = "kipkip-records 1\n";
    for (int i = 0; i < 11; ++i) {
        eleven += "record ABC 1 1 1 1 2026-12-11 100 r.rec\n";
    }
    struct Case {
        const char* what;
        std::string bytes;
        const char* error;
    };
    const Case cases[] = {
        {"a bad field", "kipkip-records 1\nrecord ABC 1 1 1 1 2026-13-11 100 r.rec\n",
         "line 2: the date"},
        {"truncated in a record", "kipkip-records 1\nrecord ABC 1 1", "line 2: a record has"},
        {"empty", "", "line 1: not a records file"},
        {"binary", std::string("\0\xFF\x01kipkip", 9), "line 1: not a records file"},
        {"more than ten records", eleven, "line 12: too long"},
        {"larger than the limit", oversized, "too long: larger than"},
    };
    for (const Case& c : cases) {
        test::TempDir dir;
        const std::string file = dir.Write("kipkip-records.txt", c.bytes);
        dir.Write("kipkip-records.txt.damaged-1", "an earlier damaged file");
        const RecordsFile::Loaded loaded = RecordsFile::Load(dir.Path().string());
        EXPECT_TRUE(loaded.table.Empty()) << c.what;
        EXPECT_TRUE(loaded.writable) << c.what;
        EXPECT_NE(loaded.message.find(c.error), std::string::npos)
            << c.what << ": " << loaded.message;
        EXPECT_NE(loaded.message.find("kipkip-records.txt.damaged-2"), std::string::npos)
            << c.what << ": " << loaded.message;
        EXPECT_FALSE(fs::exists(file)) << c.what;
        EXPECT_EQ(test::Contents(dir.Path() / "kipkip-records.txt.damaged-1"),
                  "an earlier damaged file");
        EXPECT_EQ(test::Contents(dir.Path() / "kipkip-records.txt.damaged-2"), c.bytes) << c.what;
    }
}

TEST(RecordsFile, ALaterVersionIsLeftAsItIsAndNotWritten)
{
    test::TempDir dir;
    const std::string later = "kipkip-records 2\nsomething new\n";
    const std::string file = dir.Write("kipkip-records.txt", later);
    const RecordsFile::Loaded loaded = RecordsFile::Load(dir.Path().string());
    EXPECT_TRUE(loaded.table.Empty());
    EXPECT_FALSE(loaded.writable);
    EXPECT_NE(loaded.message.find("later version"), std::string::npos) << loaded.message;
    EXPECT_EQ(test::Contents(file), later);
    EXPECT_EQ(std::distance(fs::directory_iterator(dir.Path()), fs::directory_iterator()), 1);
}

TEST(RecordsFile, AFileThatCannotBeReadIsLeftAndNotWritten)
{
    test::TempDir dir;
    fs::create_directory(dir.Path() / "kipkip-records.txt");
    const RecordsFile::Loaded loaded = RecordsFile::Load(dir.Path().string());
    EXPECT_FALSE(loaded.writable);
    EXPECT_NE(loaded.message.find("cannot be read"), std::string::npos) << loaded.message;
    EXPECT_TRUE(fs::is_directory(dir.Path() / "kipkip-records.txt"));
}

TEST(RecordsFile, AFailedSaveLeavesTheOldFile)
{
    test::TempDir dir;
    const std::string old = RecordsText::Format(OneRecord());
    const std::string file = dir.Write("kipkip-records.txt", old);
    // The temporary file's place is taken by a folder, so the new text cannot be written.
    fs::create_directory(file + ".new");
    RecordsTable bigger = OneRecord();
    bigger.Insert({"TOP", 999, 999, 9, 9, "2026-12-11", 100, "0002.rec"});
    const std::optional<std::string> error = RecordsFile::Save(dir.Path().string(), bigger);
    ASSERT_TRUE(error);
    EXPECT_NE(error->find("could not be saved to"), std::string::npos) << *error;
    EXPECT_EQ(test::Contents(file), old);
}

}  // namespace
}  // namespace kipkip
