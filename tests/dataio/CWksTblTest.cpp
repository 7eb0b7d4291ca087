#include <gtest/gtest.h>
#include <sys/stat.h>

#include <string>

#include "CIoTable.h"
#include "CWksTbl.h"
#include "RegularTextFile.h"
#include "TempFolder.h"

namespace {

constexpr const char* kCases =
    "CaseId,Run,Value\n"
    "3,R12,-12.5\n"
    "3,\"R13\",\"7,125\"\n"
    "4,R12,1\n"
    ",,9\n";

class CWksTblTest : public testing::Test {
protected:
    static std::string allMessages(const CIoTable& table) {
        std::string out;
        for (const TableMessage& message : table.Messages()) out += message.text + "\n";
        return out;
    }

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

TEST_F(CWksTblTest, RejectsAFileWithAnOpenQuote) {
    const std::string path = m_folder.write("open.csv", "A,B\n1,\"2\n");
    const CIoTable table(nullptr, path, "", "", "*", 0);
    EXPECT_EQ(table.Status(), 1);
    EXPECT_EQ(allMessages(table),
              "Unable to open table [" + path + "]\n\nline 2: a quoted field is not closed\n");
}

TEST_F(CWksTblTest, RejectsAMissingOrEmptyFile) {
    const std::string missing = m_folder / "absent.csv";
    const CIoTable absent(nullptr, missing, "", "", "*", 0);
    EXPECT_EQ(absent.Status(), 1);
    EXPECT_NE(allMessages(absent).find("[" + missing + "]\n\nNo such file or directory"),
              std::string::npos)
        << allMessages(absent);
    const CIoTable empty(nullptr, m_folder.write("empty.csv", "\n\n"), "", "", "*", 0);
    EXPECT_EQ(empty.Status(), 1);
    EXPECT_NE(allMessages(empty).find("no line of column names"), std::string::npos);
}

// Devices, pipes and folders never end, block or hold no text; a long line stops the read.
TEST_F(CWksTblTest, RefusesWhatIsNotARegularFileAndOverlongLines) {
    const std::string fifo = m_folder / "pipe.csv";
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    const std::string longLine =
        m_folder.write("long.csv", "A,B\n1,2\n" + std::string(kMaxTextLineBytes + 1, 'x') + "\n");
    const std::pair<std::string, const char*> cases[] = {
        {"/dev/zero", "not a regular file"},
        {fifo, "not a regular file"},
        {m_folder.path(), "a folder"},
        {longLine, "line 3 is longer than 1048576 bytes"}};
    for (const auto& [path, reason] : cases) {
        SCOPED_TRACE(path);
        const CIoTable table(nullptr, path, "", "", "*", 0);
        EXPECT_EQ(table.Status(), 1);
        const std::string messages = allMessages(table);
        EXPECT_NE(messages.find("[" + path + "]\n\n"), std::string::npos) << messages;
        EXPECT_NE(messages.find(reason), std::string::npos) << messages;
    }
}

TEST_F(CWksTblTest, FailsTheReadOnARowOfTheWrongWidth) {
    const std::string path = m_folder.write("ragged.csv", "A,B\n1,2\n3\n");
    const CIoTable table(nullptr, path, "", "", "A", 0);
    EXPECT_EQ(table.Status(), 2);
    EXPECT_EQ(table.RowCount(), 0);
    EXPECT_NE(allMessages(table).find("line 3: 1 fields where line 1 names 2 columns"),
              std::string::npos)
        << allMessages(table);
}

}  // namespace
