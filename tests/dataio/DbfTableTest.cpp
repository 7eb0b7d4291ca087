#include <gtest/gtest.h>

#include <stdexcept>
#include <string>

#include "CIoTable.h"
#include "DbfFileBuilder.h"
#include "TableMessages.h"
#include "TempFolder.h"

namespace {

using testsupport::allMessages;

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

// Each failure ends in the status of the step that failed, with the reason among the messages.
TEST_F(DbfTableTest, FailuresEndInTheStatusOfTheirStep) {
    DbfFileBuilder oldVersion(0x83);
    oldVersion.field("A", 'C', 2).record({"x"});
    const std::string whole = solutions().bytes();
    const struct {
        const char* what;
        std::string path;
        const char* keys;
        const char* values;
        const char* columns;
        int status;
        std::string message;
    } cases[] = {
        {"missing file", m_folder / "absent.dbf", "", "", "*", 1,
         "Unable to open table [" + (m_folder / "absent.dbf") + "]"},
        {"unsupported version", m_folder.write("old.dbf", oldVersion.bytes()), "", "", "*", 1,
         "Only DBF versions 3 and 4 are allowed."},
        {"damaged header", m_folder.write("damaged.dbf", solutions().recordLength(7).bytes()), "",
         "", "*", 1, "Invalid or damaged DBF file header encountered.\n"},
        {"truncated", m_folder.write("cut.dbf", whole.substr(0, whole.size() - 30)), "", "", "*", 2,
         "Make sure the file has not been corrupted."},
        {"missing column", write(solutions()), "", "", "VALUE,COST", 2,
         "Can Not Find Extract Column [COST]."},
        {"missing key column", write(solutions()), "CASEID", "3", "VALUE", 2,
         "[CASEID] KeyField not Found."},
    };
    for (const auto& test : cases) {
        SCOPED_TRACE(test.what);
        const CIoTable table(nullptr, test.path, test.keys, test.values, test.columns, 7);
        EXPECT_EQ(table.Status(), test.status);
        EXPECT_NE(allMessages(table).find(test.message), std::string::npos) << allMessages(table);
    }
}

}  // namespace
