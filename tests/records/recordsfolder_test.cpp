// The records' recordings: new names skip what the table and the folder already hold, the folder
// is made when missing, and a record's recording and pace go together.
#include "records/recordsfolder.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "support/tempdir.h"

namespace kipkip {
namespace {

namespace fs = std::filesystem;

Record RecordWith(std::string recording)
{
    return {"KIP", 10, 12, 0, 1, "2026-12-11", 100, std::move(recording)};
}

TEST(RecordsFolder, APaceIsNamedAfterItsRecording)
{
    EXPECT_EQ(RecordsFolder::PaceName("0007.rec"), "0007.pace");
    EXPECT_EQ(RecordsFolder::PaceName("mine"), "mine.pace");
}

TEST(RecordsFolder, ANewNameIsUsedByNoRecordAndNoFile)
{
    test::TempDir dir;
    const std::string data = dir.Path().string();
    RecordsTable table;
    EXPECT_EQ(RecordsFolder::FreeName(data, table), "0001.rec");
    table.Insert(RecordWith("0001.rec"));
    dir.Write("records/0002.rec", "left over");
    dir.Write("records/0003.pace", "left over");
    EXPECT_EQ(RecordsFolder::FreeName(data, table), "0004.rec");
}

TEST(RecordsFolder, WritesMakeTheFolderAndRemovalTakesRecordingAndPace)
{
    test::TempDir dir;
    const std::string data = dir.Path().string();
    EXPECT_EQ(RecordsFolder::Write(data, "0001.rec", "kipkip-replay 1\n"), std::nullopt);
    EXPECT_EQ(RecordsFolder::Write(data, "0001.pace", "kipkip-pace 1\n"), std::nullopt);
    EXPECT_TRUE(fs::exists(dir.Path() / "records" / "0001.rec"));
    dir.Write("records/0002.rec", "another record's");
    RecordsFolder::Remove(data, RecordWith("0001.rec"));
    EXPECT_FALSE(fs::exists(dir.Path() / "records" / "0001.rec"));
    EXPECT_FALSE(fs::exists(dir.Path() / "records" / "0001.pace"));
    EXPECT_TRUE(fs::exists(dir.Path() / "records" / "0002.rec"));
    RecordsFolder::Remove(data, RecordWith("0001.rec"));  // already gone: no fault
}

TEST(RecordsFolder, AWriteThatFailsSaysWhere)
{
    test::TempDir dir;
    dir.Write("records", "a file where the folder should be");
    const std::optional<std::string> error =
        RecordsFolder::Write(dir.Path().string(), "0001.rec", "text");
    ASSERT_TRUE(error.has_value());
    EXPECT_NE(error->find("0001.rec cannot be written"), std::string::npos) << *error;
}

}  // namespace
}  // namespace kipkip
