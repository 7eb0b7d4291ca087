#include <gtest/gtest.h>

#include <filesystem>

#include "CIoStrCell.h"
#include "CIoTable.h"
#include "DataMessages.h"
#include "DataioTestSupport.h"

namespace {

using testsupport::allMessages;
using testsupport::rowText;

class OdbcBackendTest : public ::testing::Test {
protected:
    // A read of kind (8 or 2) through a connection the backend makes from the Access-driver
    // string, which has to be translated to the file's real driver.
    CIoTable read(const std::string& table, const std::string& keys, const std::string& values,
                  const std::string& columns, int kind = 8) {
        CIoTableDescription description;
        description.connect = m_db.accessConnect();
        description.tableName = table;
        description.kind = kind;
        return CIoTable(description, keys, values, columns);
    }

    testsupport::SqliteTestDatabase m_db;
};

TEST_F(OdbcBackendTest, KeysSelectTheirRows) {
    testsupport::expectKeyReads(true, true, [this](auto&&... request) { return read(request...); });
    EXPECT_TRUE(testsupport::tableExists(m_db.direct(), "PrCase"));
}

// A star key keeps the key cell, a number in a text column reads like atoi, an empty key piece
// gives a placeholder. (NULLs and dates: the key reads and the cell tests.)
TEST_F(OdbcBackendTest, CellsOfEachColumnClass) {
    const CIoTable columns = read("PrPrimalColumn", "SolutionID", "*", "ColumnName,Activity");
    ASSERT_EQ(columns.RowCount(), 5) << allMessages(columns);
    EXPECT_EQ(columns.KeyAsLong(0, 0), 1);
    EXPECT_EQ(columns.KeyAsLong(4, 0), 3);
    EXPECT_DOUBLE_EQ(columns.ValueAsDouble(3, 1), 7.25);

    const CIoTable texts = read("PrPrimalColOld", "RUNID", "R12", "ACTIVITY,DJ");
    ASSERT_EQ(texts.RowCount(), 2) << allMessages(texts);
    EXPECT_EQ(texts.ValueAsLong(0, 0), 12);
    EXPECT_DOUBLE_EQ(texts.ValueAsDouble(0, 0), 12.0);
    EXPECT_EQ(texts.ValueAsLong(1, 0), 12);
    EXPECT_EQ(texts.Rows()[1]->ValueCells()[0]->GetShort(), kNoValueInteger);
    EXPECT_EQ(texts.ValueAsLong(1, 1), 0);

    const CIoTable cases = read("PrCase", "CaseID,", "2,", "CaseName");
    ASSERT_EQ(cases.RowCount(), 1) << allMessages(cases);
    const CIoRow& row = *cases.Rows()[0];
    ASSERT_EQ(row.KeyCells().size(), 2u);
    EXPECT_EQ(row.KeyCells()[0]->AsLong(), 2);
    EXPECT_NE(dynamic_cast<const CIoStrCell*>(row.KeyCells()[1].get()), nullptr);
    EXPECT_EQ(row.KeyCells()[1]->Flags() & kCellMadeFlag, 0u);
}

// No matching row is a warning, not a failure; a missing column fails the read, a missing
// table or database file the open, and a missing file is not made.
TEST_F(OdbcBackendTest, RefusalsEndInTheirStatus) {
    const CIoTable none = read("PrPrimalRow", "SolutionID", "99", "RowName");
    EXPECT_EQ(none.Status(), kTableRead);
    EXPECT_EQ(none.RowCount(), 0);
    ASSERT_EQ(none.Messages().size(), 1u);
    EXPECT_EQ(none.Messages()[0].severity, TableMessageSeverity::kWarning);
    EXPECT_EQ(none.Messages()[0].text, datamsg::text(datamsg::kNoMatchForKey));

    const std::string missing = m_db.folder() / "absent.mdb";
    CIoTableDescription absent;
    absent.connect = "ODBC;DRIVER={Microsoft Access Driver (*.mdb)};DBQ=" + missing;
    absent.tableName = "PrCase";
    absent.kind = 8;
    const auto expectRefused = [](const CIoTable& table, int status,
                                  const std::vector<std::string>& parts) {
        SCOPED_TRACE(parts.front());
        EXPECT_EQ(table.Status(), status);
        for (const std::string& part : parts)
            EXPECT_NE(allMessages(table).find(part), std::string::npos) << allMessages(table);
    };
    expectRefused(read("PrPrimalRow", "SolutionID", "1", "RowName,Slack"), kTableNotRead,
                  {"Can Not Find Extract Column [Slack]."});
    expectRefused(read("PrNoSuchTable", "SolutionID", "1", "RowName"), kTableNotOpened,
                  {"Unable to open table [PrNoSuchTable]\n\n", "no such table"});
    expectRefused(CIoTable(absent, "CaseID", "1", "CaseName"), kTableNotOpened,
                  {"Unable to open table [PrCase]", missing + "\" does not exist"});
    EXPECT_FALSE(std::filesystem::exists(missing));
}

TEST_F(OdbcBackendTest, ReadsThroughACallersOpenDatabaseAndLeavesItOpen) {
    CDatabase database;
    ASSERT_TRUE(database.OpenEx(m_db.accessConnect())) << database.lastError().text();
    EXPECT_NE(database.ConnectString().find("Database=" + m_db.path()), std::string::npos)
        << database.ConnectString();
    {
        const CIoTable table(&database, "PrSolution", "SolutionID", "*", "RunName", 8);
        ASSERT_EQ(table.Status(), kTableRead) << allMessages(table);
        ASSERT_EQ(table.RowCount(), 3);
        EXPECT_EQ(table.ValueAsString(2, 0), "O'Brien");
    }
    EXPECT_TRUE(database.IsOpen());
    const CIoTable again(&database, "Query::PrCase", "CaseID", "2", "CaseName", 8);
    ASSERT_EQ(again.Status(), kTableRead) << allMessages(again);
    EXPECT_EQ(again.ValueAsString(0, 0), "summer");
}

// Plain ODBC quotes names with the driver's quote; texts longer than one read piece arrive
// whole, multi-byte characters intact.
TEST_F(OdbcBackendTest, PlainOdbcAndLongTexts) {
    const CIoTable table =
        read("PrPrimalColumn", "SolutionID,ColumnName", "3,X1*", "ColumnName,Cost", 2);
    ASSERT_EQ(table.RowCount(), 2) << allMessages(table);
    EXPECT_EQ(rowText(table, 1), "X10/1.000000");
    std::string longText;
    for (int i = 0; i < 3000; ++i) longText += "ab\xC3\xA9" + std::to_string(i % 10);
    ASSERT_EQ(testsupport::executeStatements(m_db.direct(),
                                             {"INSERT INTO PrCase VALUES (9, '" + longText + "')"}),
              "");
    const CIoTable text = read("PrCase", "CaseID", "9", "CaseName");
    ASSERT_EQ(text.Status(), kTableRead) << allMessages(text);
    EXPECT_EQ(text.ValueAsString(0, 0), longText);
}

}  // namespace
