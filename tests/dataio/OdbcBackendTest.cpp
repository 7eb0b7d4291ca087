#include <gtest/gtest.h>

#include <filesystem>

#include "CIoDoubleCell.h"
#include "CIoStrCell.h"
#include "CIoTable.h"
#include "CIoTimeStampCell.h"
#include "DataMessages.h"
#include "ResultsTables.h"
#include "SqliteTestDatabase.h"

namespace {

using testsupport::SqliteTestDatabase;

// Every message of the table joined, for checks on its key phrases.
std::string allMessages(const CIoTable& table) {
    std::string text;
    for (const TableMessage& message : table.Messages()) text += message.text + "\n";
    return text;
}

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

TEST_F(OdbcBackendTest, NumericAndTextKeysSelectTheirRows) {
    const CIoTable numeric = read("PrPrimalRow", "SolutionID", "3", "RowName,Marginal");
    ASSERT_EQ(numeric.Status(), kTableRead) << allMessages(numeric);
    ASSERT_EQ(numeric.RowCount(), 2);
    EXPECT_EQ(numeric.ValueAsString(1, 0), "LIM2");
    EXPECT_DOUBLE_EQ(numeric.ValueAsDouble(1, 1), 1.75);

    const CIoTable text = read("PrPrimalColOld", "RUNID", "R12", "COLNAME");
    ASSERT_EQ(text.Status(), kTableRead) << allMessages(text);
    ASSERT_EQ(text.RowCount(), 2);
    EXPECT_EQ(text.KeyAsString(1, 0), "R12");

    // Two keys, one text and one numeric, joined by AND; names in any case.
    const CIoTable both = read("prprimalcolumn", "solutionid, columnname", "3, X1", "activity");
    ASSERT_EQ(both.Status(), kTableRead) << allMessages(both);
    ASSERT_EQ(both.RowCount(), 1);
    EXPECT_DOUBLE_EQ(both.ValueAsDouble(0, 0), 4.0);
}

TEST_F(OdbcBackendTest, NullAndNotNullKeysTestForMissingValues) {
    const CIoTable nulls = read("PrSolution", "Note", "NULL", "SolutionID");
    ASSERT_EQ(nulls.Status(), kTableRead) << allMessages(nulls);
    ASSERT_EQ(nulls.RowCount(), 1);
    EXPECT_EQ(nulls.ValueAsLong(0, 0), 1);
    EXPECT_EQ(nulls.KeyAsString(0, 0), "");

    const CIoTable present = read("PrSolution", "Note", "NOT NULL", "SolutionID");
    ASSERT_EQ(present.Status(), kTableRead);
    EXPECT_EQ(present.RowCount(), 2);
}

TEST_F(OdbcBackendTest, KeyPatternsUseTheSqlWildcards) {
    const CIoTable star = read("PrPrimalColumn", "ColumnName", "X1*", "ColumnName");
    ASSERT_EQ(star.Status(), kTableRead) << allMessages(star);
    EXPECT_EQ(star.RowCount(), 3);  // X1, X1, X10

    const CIoTable one = read("PrPrimalColumn", "ColumnName", "X?", "ColumnName");
    ASSERT_EQ(one.Status(), kTableRead);
    EXPECT_EQ(one.RowCount(), 3);  // X1, X2, X1

    const CIoTable dots = read("PrRunId", "RUNID", "R...", "RUNID");
    ASSERT_EQ(dots.Status(), kTableRead);
    EXPECT_EQ(dots.RowCount(), 2);

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

    // A date key is written as an ODBC date escape.
    const CIoTable byDate = read("PrRunId", "Created", "2023-11-06", "RUNID");
    ASSERT_EQ(byDate.Status(), kTableRead) << allMessages(byDate);
    ASSERT_EQ(byDate.RowCount(), 1);
    EXPECT_EQ(byDate.ValueAsString(0, 0), "R13");
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

TEST_F(OdbcBackendTest, HostileKeyValuesReadNothingAndChangeNothing) {
    const std::string hostile = "x'; DROP TABLE PrCase; --";
    const CIoTable text = read("PrCase", "CaseName", hostile, "CaseID");
    EXPECT_EQ(text.Status(), kTableRead) << allMessages(text);
    EXPECT_EQ(text.RowCount(), 0);
    const CIoTable numeric = read("PrCase", "CaseID", "1; DROP TABLE PrCase", "CaseName");
    EXPECT_EQ(numeric.RowCount(), 0);
    const CIoTable orTrue = read("PrCase", "CaseID", "0 OR 1=1", "CaseName");
    EXPECT_EQ(orTrue.RowCount(), 0);
    EXPECT_TRUE(testsupport::tableExists(m_db.direct(), "PrCase"));
    EXPECT_EQ(read("PrCase", "CaseID", "*", "CaseName").RowCount(), 2);

    // A quote inside a real value still matches it.
    const CIoTable quoted = read("PrSolution", "RunName", "O'Brien", "SolutionID");
    ASSERT_EQ(quoted.RowCount(), 1) << allMessages(quoted);
    EXPECT_EQ(quoted.ValueAsLong(0, 0), 3);
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
