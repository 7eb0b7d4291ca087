#include <gtest/gtest.h>

#include <stdexcept>
#include <string>

#include "CIoTable.h"
#include "DbfFileBuilder.h"
#include "TempFolder.h"

namespace {

using testsupport::DbfFileBuilder;

// Requests of source kind 7 through the table, as a caller makes them.
class DbfTableTest : public testing::Test {
protected:
    std::string write(const DbfFileBuilder& builder) {
        return m_folder.write("run.dbf", builder.bytes());
    }

    static DbfFileBuilder solutions() {
        DbfFileBuilder builder;
        builder.field("SOLUTIONID", 'N', 4).field("RUNID", 'C', 6).field("VALUE", 'N', 10, 3);
        builder.record({"3", "R12", "    -12.50"})
            .record({"3", "R13", "     7.125"})
            .record({"4", "R12", "     1.000"})
            .record({"3", "R12", "    99.000"}, true);
        return builder;
    }

    static std::string allMessages(const CIoTable& table) {
        std::string out;
        for (const TableMessage& message : table.Messages()) out += message.text + "\n";
        return out;
    }

    testsupport::TempFolder m_folder;
};

TEST_F(DbfTableTest, ReadsTheSelectedRecords) {
    const CIoTable table(nullptr, write(solutions()), "SolutionID,RunID", "3,R1*", "Value,RunID",
                         7);
    ASSERT_EQ(table.Status(), 0) << allMessages(table);
    ASSERT_EQ(table.RowCount(), 2);
    EXPECT_DOUBLE_EQ(table.ValueAsDouble(0, 0), -12.5);
    EXPECT_EQ(table.ValueAsString(1, 1), "R13");
    EXPECT_EQ(table.ValueAsLong(1, 0), 7);
    EXPECT_EQ(table.KeyAsLong(0, 0), 3);
    EXPECT_EQ(table.KeyAsString(1, 1), "R13");
    EXPECT_THROW(table.ValueAsDouble(2, 0), std::invalid_argument);
    EXPECT_THROW(table.KeyAsString(0, 2), std::invalid_argument);
}

TEST_F(DbfTableTest, ReadsEveryLiveRecordForAStarKey) {
    const CIoTable table(nullptr, write(solutions()), "SOLUTIONID", "*", "VALUE", 7);
    ASSERT_EQ(table.Status(), 0) << allMessages(table);
    ASSERT_EQ(table.RowCount(), 3);
    EXPECT_EQ(table.KeyAsLong(2, 0), 4);
}

TEST_F(DbfTableTest, SucceedsWithAWarningWhenNothingMatches) {
    const CIoTable table(nullptr, write(solutions()), "RUNID", "r12", "VALUE", 7);
    EXPECT_EQ(table.Status(), 0);
    EXPECT_EQ(table.RowCount(), 0);
    EXPECT_EQ(allMessages(table), "No Match for Source Key Value.\n");
}

TEST_F(DbfTableTest, AMissingFileIsNotOpened) {
    const std::string path = m_folder / "absent.dbf";
    const CIoTable table(nullptr, path, "", "", "*", 7);
    EXPECT_EQ(table.Status(), 1);
    EXPECT_NE(allMessages(table).find("Unable to open table [" + path + "]"), std::string::npos)
        << allMessages(table);
}

TEST_F(DbfTableTest, AnUnsupportedVersionIsNotOpened) {
    DbfFileBuilder builder(0x83);
    builder.field("A", 'C', 2).record({"x"});
    const CIoTable table(nullptr, write(builder), "", "", "*", 7);
    EXPECT_EQ(table.Status(), 1);
    EXPECT_NE(allMessages(table).find("Only DBF versions 3 and 4 are allowed."), std::string::npos)
        << allMessages(table);
}

TEST_F(DbfTableTest, ADamagedHeaderIsNotOpened) {
    const CIoTable table(nullptr, write(solutions().recordLength(7)), "", "", "*", 7);
    EXPECT_EQ(table.Status(), 1);
    EXPECT_EQ(allMessages(table), "Invalid or damaged DBF file header encountered.\n");
}

TEST_F(DbfTableTest, ATruncatedFileIsNotRead) {
    const std::string bytes = solutions().bytes();
    const std::string path = m_folder.write("cut.dbf", bytes.substr(0, bytes.size() - 30));
    const CIoTable table(nullptr, path, "", "", "*", 7);
    EXPECT_EQ(table.Status(), 2);
    EXPECT_NE(allMessages(table).find("Make sure the file has not been corrupted."),
              std::string::npos)
        << allMessages(table);
}

TEST_F(DbfTableTest, AMissingColumnIsNotRead) {
    const CIoTable table(nullptr, write(solutions()), "", "", "VALUE,COST", 7);
    EXPECT_EQ(table.Status(), 2);
    EXPECT_NE(allMessages(table).find("Can Not Find Extract Column [COST]."), std::string::npos)
        << allMessages(table);
}

TEST_F(DbfTableTest, AMissingKeyColumnIsNotRead) {
    const CIoTable table(nullptr, write(solutions()), "CASEID", "3", "VALUE", 7);
    EXPECT_EQ(table.Status(), 2);
    EXPECT_NE(allMessages(table).find("[CASEID] KeyField not Found."), std::string::npos)
        << allMessages(table);
}

}  // namespace
