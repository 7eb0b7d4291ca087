#include <gtest/gtest.h>
#include <sys/stat.h>

#include <string>

#include "CIoTable.h"
#include "CWksTbl.h"
#include "RegularTextFile.h"
#include "TableMessages.h"
#include "TempFolder.h"

namespace {

using testsupport::allMessages;

constexpr const char* kCases =
    "CaseId,Run,Value\n"
    "3,R12,-12.5\n"
    "3,\"R13\",\"7,125\"\n"
    "4,R12,1\n"
    ",,9\n";

class CWksTblTest : public testing::Test {
protected:
    testsupport::TempFolder m_folder;
};

TEST_F(CWksTblTest, ReadsTextCellsFilteredByKeys) {
    const CIoTable table(nullptr, m_folder.write("cases.csv", kCases), "caseid,run", "3,R1?",
                         "Value,Run", 0);
    ASSERT_EQ(table.Status(), 0) << allMessages(table);
    ASSERT_EQ(table.RowCount(), 2);
    EXPECT_EQ(table.ValueAsString(0, 0), "-12.5");
    EXPECT_EQ(table.ValueAsString(1, 0), "7,125");
    EXPECT_EQ(table.Rows()[1]->ValueCells()[0]->SqlType(), 1);
    EXPECT_EQ(table.KeyAsLong(1, 0), 3);
    EXPECT_EQ(table.KeyAsString(1, 1), "R13");
}

TEST_F(CWksTblTest, SkipsRowsWithAllKeysEmptyNamingTheLine) {
    const CIoTable table(nullptr, m_folder.write("cases.csv", kCases), "CaseId,Run", "*,*", "Value",
                         0);
    ASSERT_EQ(table.Status(), 0) << allMessages(table);
    EXPECT_EQ(table.RowCount(), 3);
    EXPECT_EQ(allMessages(table), "Row 5 with all empty key values skipped.\n");
}

// What cannot be opened fails with status 1 naming the file and the reason: devices, pipes and
// folders never end, block or hold no text. A row of the wrong width fails the read (2).
TEST_F(CWksTblTest, RefusesWhatItCannotReadSayingWhy) {
    const std::string fifo = m_folder / "pipe.csv";
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    const std::string longLine =
        m_folder.write("long.csv", "A,B\n1,2\n" + std::string(kMaxTextLineBytes + 1, 'x') + "\n");
    const struct {
        std::string path;
        int status;
        const char* reason;
    } cases[] = {
        {m_folder.write("open.csv", "A,B\n1,\"2\n"), 1, "line 2: a quoted field is not closed"},
        {m_folder / "absent.csv", 1, "No such file or directory"},
        {m_folder.write("empty.csv", "\n\n"), 1, "no line of column names"},
        {"/dev/zero", 1, "not a regular file"},
        {fifo, 1, "not a regular file"},
        {m_folder.path(), 1, "a folder"},
        {longLine, 1, "line 3 is longer than 1048576 bytes"},
        {m_folder.write("ragged.csv", "A,B\n1,2\n3\n"), 2,
         "line 3: 1 fields where line 1 names 2 columns"},
    };
    for (const auto& test : cases) {
        SCOPED_TRACE(test.path);
        const CIoTable table(nullptr, test.path, "", "", test.status == 2 ? "A" : "*", 0);
        EXPECT_EQ(table.Status(), test.status);
        EXPECT_EQ(table.RowCount(), 0);
        const std::string messages = allMessages(table);
        if (test.status == 1) {
            EXPECT_NE(messages.find("Unable to open table [" + test.path + "]\n\n"),
                      std::string::npos)
                << messages;
        }
        EXPECT_NE(messages.find(test.reason), std::string::npos) << messages;
    }
}

}  // namespace
