#include <gtest/gtest.h>

#include <filesystem>

#include "CIoDoubleCell.h"
#include "CIoStrCell.h"
#include "CIoTable.h"
#include "CIoTimeStampCell.h"
#include "DataMessages.h"
#include "ResultsTables.h"
#include "SqliteTestDatabase.h"
#include "TableMessages.h"

namespace {

using testsupport::allMessages;

using testsupport::SqliteTestDatabase;

// Every message of the table joined, for checks on its key phrases.
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

    SqliteTestDatabase m_db;
};

TEST_F(OdbcBackendTest, StarKeyReadsEveryRowAndKeepsTheKeyCell) {
    const CIoTable table = read("PrPrimalColumn", "SolutionID", "*", "ColumnName,Activity");
    ASSERT_EQ(table.Status(), kTableRead) << allMessages(table);
    ASSERT_EQ(table.RowCount(), 5);
    EXPECT_EQ(table.KeyAsLong(0, 0), 1);
    EXPECT_EQ(table.KeyAsLong(4, 0), 3);
    EXPECT_EQ(table.ValueAsString(3, 0), "X10");
    EXPECT_DOUBLE_EQ(table.ValueAsDouble(3, 1), 7.25);
}

// Keys of each kind select their rows: numbers, texts (a quote inside one too), two keys
// joined by AND in any case, NULL and NOT NULL, the wildcards, a date as an ODBC date escape;
// hostile values select nothing and change nothing.
TEST_F(OdbcBackendTest, KeysSelectTheirRows) {
    const struct {
        const char* table;
        const char* keys;
        std::string values;
        const char* columns;
        int rows;
        const char* first;  // the first row's first value
    } cases[] = {
        {"PrPrimalRow", "SolutionID", "3", "RowName", 2, nullptr},
        {"PrPrimalColOld", "RUNID", "R12", "COLNAME", 2, nullptr},
        {"prprimalcolumn", "solutionid, columnname", "3, X1", "activity", 1, "4.000000"},
        {"PrSolution", "Note", "NULL", "SolutionID", 1, "1"},
        {"PrSolution", "Note", "NOT NULL", "SolutionID", 2, nullptr},
        {"PrPrimalColumn", "ColumnName", "X1*", "ColumnName", 3, nullptr},  // X1, X1, X10
        {"PrPrimalColumn", "ColumnName", "X?", "ColumnName", 3, nullptr},   // X1, X2, X1
        {"PrRunId", "RUNID", "R...", "RUNID", 2, nullptr},
        {"PrRunId", "Created", "2023-11-06", "RUNID", 1, "R13"},
        {"PrSolution", "RunName", "O'Brien", "SolutionID", 1, "3"},
        {"PrCase", "CaseName", "x'; DROP TABLE PrCase; --", "CaseID", 0, nullptr},
        {"PrCase", "CaseID", "1; DROP TABLE PrCase", "CaseName", 0, nullptr},
        {"PrCase", "CaseID", "0 OR 1=1", "CaseName", 0, nullptr},
        {"PrCase", "CaseID", "*", "CaseName", 2, nullptr},
    };
    for (const auto& test : cases) {
        SCOPED_TRACE(std::string(test.table) + " " + test.keys + " = " + test.values);
        const CIoTable table = read(test.table, test.keys, test.values, test.columns);
        EXPECT_EQ(table.Status(), kTableRead) << allMessages(table);
        ASSERT_EQ(table.RowCount(), test.rows);
        if (test.first != nullptr) {
            EXPECT_EQ(table.ValueAsString(0, 0), test.first);
        }
    }
    EXPECT_TRUE(testsupport::tableExists(m_db.direct(), "PrCase"));
}

TEST_F(OdbcBackendTest, ColumnPatternsSelectColumns) {
    const CIoTable columns = read("PrPrimalRow", "SolutionID", "1", "*Name,Act*");
    ASSERT_EQ(columns.Status(), kTableRead) << allMessages(columns);
    ASSERT_EQ(columns.RowCount(), 1);
    EXPECT_EQ(columns.ValueAsString(0, 0), "LIM1");
    EXPECT_DOUBLE_EQ(columns.ValueAsDouble(0, 1), 10.0);
}

TEST_F(OdbcBackendTest, NullsGiveNullCellsOfTheColumnsClass) {
    const CIoTable table = read("PrSolution", "SolutionID", "2", "Objective,Note,SolvedAt");
    ASSERT_EQ(table.Status(), kTableRead) << allMessages(table);
    ASSERT_EQ(table.RowCount(), 1);
    const CIoRow& row = *table.Rows()[0];
    const CIoCell& objective = *row.ValueCells()[0];
    EXPECT_TRUE(objective.IsNull());
    EXPECT_NE(dynamic_cast<const CIoDoubleCell*>(&objective), nullptr);
    EXPECT_EQ(objective.AsString(), "");
    EXPECT_EQ(objective.AsDouble(), 0.0);
    EXPECT_EQ(row.ValueCells()[1]->AsString(), "rerun");
    EXPECT_EQ(row.ValueCells()[2]->AsString(), "2024-03-01 08:00:00");
}

TEST_F(OdbcBackendTest, DatesArriveAsTimeStampCells) {
    const CIoTable table = read("PrSolution", "SolutionID", "1", "SolvedAt");
    ASSERT_EQ(table.Status(), kTableRead) << allMessages(table);
    const CIoCell& cell = *table.Rows()[0]->ValueCells()[0];
    ASSERT_NE(dynamic_cast<const CIoTimeStampCell*>(&cell), nullptr);
    EXPECT_EQ(cell.AsString(), "2024-02-29 10:30:00");
}

TEST_F(OdbcBackendTest, NumbersInTextColumnsConvertLikeAtoi) {
    const CIoTable table = read("PrPrimalColOld", "RUNID", "R12", "ACTIVITY,DJ");
    ASSERT_EQ(table.Status(), kTableRead) << allMessages(table);
    ASSERT_EQ(table.RowCount(), 2);
    EXPECT_EQ(table.ValueAsLong(0, 0), 12);
    EXPECT_DOUBLE_EQ(table.ValueAsDouble(0, 0), 12.0);
    EXPECT_EQ(table.ValueAsLong(0, 1), -3);
    EXPECT_EQ(table.ValueAsLong(1, 0), 12);
    EXPECT_EQ(table.Rows()[1]->ValueCells()[0]->GetShort(), kNoValueInteger);
    EXPECT_EQ(table.ValueAsLong(1, 1), 0);
}

TEST_F(OdbcBackendTest, EmptyKeyPieceGivesAPlaceholderKeyCell) {
    const CIoTable table = read("PrCase", "CaseID,", "2,", "CaseName");
    ASSERT_EQ(table.Status(), kTableRead) << allMessages(table);
    ASSERT_EQ(table.RowCount(), 1);
    const CIoRow& row = *table.Rows()[0];
    ASSERT_EQ(row.KeyCells().size(), 2u);
    EXPECT_EQ(row.KeyCells()[0]->AsLong(), 2);
    EXPECT_NE(dynamic_cast<const CIoStrCell*>(row.KeyCells()[1].get()), nullptr);
    EXPECT_EQ(row.KeyCells()[1]->Flags() & kCellMadeFlag, 0u);
    EXPECT_EQ(row.KeyCells()[1]->AsString(), "");
}

TEST_F(OdbcBackendTest, NoMatchingRowIsAWarningNotAFailure) {
    const CIoTable table = read("PrPrimalRow", "SolutionID", "99", "RowName");
    EXPECT_EQ(table.Status(), kTableRead);
    EXPECT_EQ(table.RowCount(), 0);
    ASSERT_EQ(table.Messages().size(), 1u);
    EXPECT_EQ(table.Messages()[0].severity, TableMessageSeverity::kWarning);
    EXPECT_EQ(table.Messages()[0].text, datamsg::text(datamsg::kNoMatchForKey));
}

TEST_F(OdbcBackendTest, RejectsAMissingColumnWithStatus2) {
    const CIoTable table = read("PrPrimalRow", "SolutionID", "1", "RowName,Slack");
    EXPECT_EQ(table.Status(), kTableNotRead);
    EXPECT_NE(allMessages(table).find("Can Not Find Extract Column [Slack]."), std::string::npos)
        << allMessages(table);
}

TEST_F(OdbcBackendTest, RejectsAMissingTableAtOpen) {
    const CIoTable table = read("PrNoSuchTable", "SolutionID", "1", "RowName");
    EXPECT_EQ(table.Status(), kTableNotOpened);
    const std::string messages = allMessages(table);
    EXPECT_NE(messages.find("Unable to open table [PrNoSuchTable]\n\n"), std::string::npos)
        << messages;
    EXPECT_NE(messages.find("no such table"), std::string::npos) << messages;
}

TEST_F(OdbcBackendTest, RejectsADatabaseFileThatDoesNotExistWithoutMakingIt) {
    const std::string missing = m_db.folder() / "absent.mdb";
    CIoTableDescription description;
    description.connect = "ODBC;DRIVER={Microsoft Access Driver (*.mdb)};DBQ=" + missing;
    description.tableName = "PrCase";
    description.kind = 8;
    const CIoTable table(description, "CaseID", "1", "CaseName");
    EXPECT_EQ(table.Status(), kTableNotOpened);
    const std::string messages = allMessages(table);
    EXPECT_NE(messages.find("Unable to open table [PrCase]"), std::string::npos) << messages;
    EXPECT_NE(messages.find(missing + "\" does not exist"), std::string::npos) << messages;
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

TEST_F(OdbcBackendTest, PlainOdbcQuotesNamesWithTheDriversQuote) {
    const CIoTable table =
        read("PrPrimalColumn", "SolutionID,ColumnName", "3,X1*", "ColumnName,Cost", 2);
    ASSERT_EQ(table.Status(), kTableRead) << allMessages(table);
    ASSERT_EQ(table.RowCount(), 2);
    EXPECT_EQ(table.ValueAsString(1, 0), "X10");
    EXPECT_EQ(table.ValueAsLong(1, 1), 1);
}

// Texts longer than one read piece arrive whole, multi-byte characters intact.
TEST_F(OdbcBackendTest, ReadsLongTextsWhole) {
    std::string longText;
    for (int i = 0; i < 3000; ++i) longText += "ab\xC3\xA9" + std::to_string(i % 10);
    const std::string failures = testsupport::executeStatements(
        m_db.direct(), {"INSERT INTO PrCase VALUES (9, '" + longText + "')"});
    ASSERT_EQ(failures, "");
    const CIoTable table = read("PrCase", "CaseID", "9", "CaseName");
    ASSERT_EQ(table.Status(), kTableRead) << allMessages(table);
    EXPECT_EQ(table.ValueAsString(0, 0), longText);
}

}  // namespace
