#include <gtest/gtest.h>
#include <stdlib.h>

#include <filesystem>
#include <fstream>
#include <set>

#include "FileChecksum.h"
#include "ResultsTestSupport.h"

namespace {

using namespace resultstest;
namespace fs = std::filesystem;

std::set<std::string> folderContent(const std::string& folder) {
    std::set<std::string> names;
    for (const auto& entry : fs::directory_iterator(folder))
        names.insert(entry.path().filename().string());
    return names;
}

class ResultsDatabaseAccessTest : public ::testing::Test {
protected:
    ResultsDatabaseAccessTest() : session(logs.path()) {}

    bool open(const std::string& matrixName, bool withDatabase = true) {
        const std::string matrix = copyExample(folder, matrixName, withDatabase);
        if (withDatabase) m_checksum = testsupport::fileChecksum(results());
        return doc().OnOpenDocument(matrix);
    }

    // Reading the results never changes the database file.
    void TearDown() override {
        if (m_checksum != 0) {
            EXPECT_EQ(testsupport::fileChecksum(results()), m_checksum);
        }
    }
    CNorvaDoc& doc() { return session.doc; }
    std::string results() const { return folder / "Results.mdb"; }

    void expectSolution(int solution, int caseId) {
        expectDocumentHolds(doc(), results(), solution, caseId);
    }

    TempFolder folder;
    TempFolder logs;
    DocumentWithDatabase session;
    std::uint64_t m_checksum = 0;
};

TEST_F(ResultsDatabaseAccessTest, ReadsCaseOneOfTheLastSolutionBesideTheMatrix) {
    ASSERT_TRUE(open("MPSBCD001.mps"));
    EXPECT_EQ(doc().caseNumber(), 1);
    EXPECT_EQ(session.database.solutionId(), "2");
    expectSolution(2, 1);
    // Spot checks against the solver's own report of the optimum.
    const CPrimalRow* x05 = doc().primal().FindPrimalRow("X05");
    ASSERT_NE(x05, nullptr);
    EXPECT_EQ(x05->Activity, 80.0f);
    EXPECT_EQ(x05->MarginalValue, static_cast<float>(-0.344771429));
    EXPECT_EQ(x05->Status, 5);  // UL: "At Upper Limit"
    const CPrimalCol* x39 = doc().primal().FindPrimalColumn("X39");
    ASSERT_NE(x39, nullptr);
    EXPECT_EQ(x39->Cost, 10.0f);
    EXPECT_EQ(x39->Status, 6);                                   // LL
    EXPECT_EQ(doc().primal().FindPrimalRow("COST")->Status, 2);  // FR
    EXPECT_TRUE(session.ui.lastMessage.empty()) << session.ui.lastMessage;
    EXPECT_FALSE(session.database.accessDatabase().IsOpen());
}

TEST_F(ResultsDatabaseAccessTest, CaseNumberComesFromTheMatrixName) {
    ASSERT_TRUE(open("mpsbcd002.mps"));
    EXPECT_EQ(doc().caseNumber(), 2);
    expectSolution(2, 2);
    EXPECT_EQ(doc().primal().FindPrimalRow("X27")->Activity, 450.0f);
}

TEST_F(ResultsDatabaseAccessTest, SolutionListedLaterWins) {
    copyExample(folder, "MPSBCD001.mps");
    ASSERT_EQ(runSqlite(results(),
                        {"INSERT INTO PrSolution VALUES (3, 'rerun', -464.7, NULL)",
                         "INSERT INTO PrCase VALUES (1, 3, 'Base')",
                         "INSERT INTO PrPrimalColumn SELECT 3, CaseID, ColumnName, Activity + 1, "
                         "MarginalValue, Cost, Status FROM PrPrimalColumn WHERE SolutionID = 2",
                         "INSERT INTO PrPrimalRow SELECT 3, CaseID, RowName, Activity, "
                         "MarginalValue, Status FROM PrPrimalRow WHERE SolutionID = 2"}),
              "");
    ASSERT_TRUE(doc().OnOpenDocument(folder / "MPSBCD001.mps"));
    EXPECT_EQ(session.database.solutionId(), "3");
    expectSolution(3, 1);
    EXPECT_EQ(doc().primal().FindPrimalColumn("X01")->Activity, 81.0f);
}

TEST_F(ResultsDatabaseAccessTest, CaseTableOverridesTheLastSolution) {
    // Solution 3 is listed last but no case names it: case 1's last entry, solution 2, wins.
    copyExample(folder, "MPSBCD001.mps");
    ASSERT_EQ(runSqlite(results(), {"INSERT INTO PrSolution VALUES (3, 'other', 0, NULL)"}), "");
    ASSERT_TRUE(doc().OnOpenDocument(folder / "MPSBCD001.mps"));
    EXPECT_EQ(session.database.solutionId(), "2");
    expectSolution(2, 1);
}

TEST_F(ResultsDatabaseAccessTest, MatrixWithoutCaseDigitsReadsOnlyCaseZeroOfTheLastSolution) {
    copyExample(folder, "MPSBCD.mps");
    ASSERT_EQ(
        runSqlite(results(), {"INSERT INTO PrPrimalColumn VALUES (1, 0, 'X01', 1, 0, 0, 'BS')",
                              "INSERT INTO PrPrimalColumn VALUES (2, 0, 'X02', 2, 0, 0, 'BS')",
                              "INSERT INTO PrPrimalRow VALUES (2, 0, 'R09', 3, 0, 'EQ')"}),
        "");
    ASSERT_TRUE(doc().OnOpenDocument(folder / "MPSBCD.mps"));
    EXPECT_EQ(doc().caseNumber(), 0);
    ASSERT_EQ(doc().primal().columns.size(), 1u);
    EXPECT_EQ(doc().primal().columns[0].Name, "X02");
    ASSERT_EQ(doc().primal().rows.size(), 1u);
    EXPECT_EQ(doc().primal().rows[0].Status, 4);  // EQ
}

TEST_F(ResultsDatabaseAccessTest, UntaggedMatrixReadsNothingAndEmptiesTheTableNames) {
    doc().automation().strRunIdTable = "PrSolution";
    doc().automation().strPrimalColTable = "PrPrimalColumn";
    doc().automation().strPrimalRowTable = "PrPrimalRow";
    ASSERT_TRUE(open("afiro.mps"));
    EXPECT_TRUE(doc().primal().columns.empty());
    EXPECT_TRUE(doc().primal().rows.empty());
    EXPECT_EQ(doc().automation().strRunIdTable, "");
    EXPECT_EQ(doc().automation().strPrimalColTable, "");
    EXPECT_EQ(doc().automation().strPrimalRowTable, "");
}

TEST_F(ResultsDatabaseAccessTest, EmptySolutionTableGivesNoSolutionAndNoMessage) {
    copyExample(folder, "MPSBCD001.mps");
    ASSERT_EQ(runSqlite(results(), {"DELETE FROM PrSolution"}), "");
    ASSERT_TRUE(doc().OnOpenDocument(folder / "MPSBCD001.mps"));
    EXPECT_TRUE(doc().primal().columns.empty());
    EXPECT_TRUE(doc().primal().rows.empty());
    EXPECT_EQ(session.ui.messageCount, 0) << session.ui.lastMessage;
}

TEST_F(ResultsDatabaseAccessTest, MissingDatabaseLeavesTheMatrixOpenAndCreatesNoFile) {
    ASSERT_TRUE(open("MPSBCD001.mps", false));
    EXPECT_GT(doc().model().rows.size(), 0u);
    EXPECT_TRUE(doc().primal().columns.empty());
    EXPECT_EQ(session.ui.messageCount, 0) << session.ui.lastMessage;
    EXPECT_EQ(folderContent(folder.path()), std::set<std::string>{"MPSBCD001.mps"});
    EXPECT_TRUE(folderContent(logs.path()).empty());
}

TEST_F(ResultsDatabaseAccessTest, RejectsAPrimalColumnTableLackingAColumn) {
    copyExample(folder, "MPSBCD001.mps");
    ASSERT_EQ(runSqlite(results(), {"DROP TABLE PrPrimalColumn",
                                    "CREATE TABLE PrPrimalColumn (SolutionID INTEGER, CaseID "
                                    "INTEGER, ColumnName VARCHAR(16), Activity DOUBLE)",
                                    "INSERT INTO PrPrimalColumn VALUES (2, 1, 'X01', 80)"}),
              "");
    ASSERT_TRUE(doc().OnOpenDocument(folder / "MPSBCD001.mps"));
    EXPECT_EQ(session.ui.messageCount, 1);
    EXPECT_EQ(session.ui.lastCaption, "Error");
    EXPECT_EQ(session.ui.lastMessage,
              "An error occurred while trying to read the PrPrimalColumn table.\n\n"
              "Please regenerate this table.");
    // The failing step leaves its own list empty; the rows still come.
    EXPECT_TRUE(doc().primal().columns.empty());
    EXPECT_EQ(doc().primal().rows.size(), storedRows(results(), 2, 1).size());
}

TEST_F(ResultsDatabaseAccessTest, ValuesAreKeptInSinglePrecision) {
    copyExample(folder, "MPSBCD001.mps");
    ASSERT_EQ(runSqlite(results(), {"UPDATE PrPrimalColumn SET Activity = 0.1 WHERE SolutionID "
                                    "= 2 AND CaseID = 1 AND ColumnName = 'X15'",
                                    "UPDATE PrPrimalRow SET MarginalValue = 0.1 WHERE SolutionID "
                                    "= 2 AND CaseID = 1 AND RowName = 'R09'"}),
              "");
    ASSERT_TRUE(doc().OnOpenDocument(folder / "MPSBCD001.mps"));
    EXPECT_EQ(doc().primal().FindPrimalColumn("X15")->Activity, 0.1f);
    EXPECT_EQ(doc().primal().FindPrimalRow("R09")->MarginalValue, 0.1f);
}

TEST_F(ResultsDatabaseAccessTest, OtherAccessDatabaseNameIsLookedForBesideTheMatrix) {
    copyExample(folder, "MPSBCD001.mps");
    fs::rename(results(), folder / "Runs.db");
    doc().settings().AccessDatabaseName = "Runs.db";
    doc().SettingsChanged();
    ASSERT_TRUE(doc().OnOpenDocument(folder / "MPSBCD001.mps"));
    EXPECT_EQ(doc().primal().columns.size(), 32u);
}

TEST_F(ResultsDatabaseAccessTest, DatabaseTypeWithABlankStillMeansAccess) {
    doc().settings().DatabaseType = "SQL Server";
    doc().SettingsChanged();
    doc().databaseSettings().sqlServerConnectionString = "Provider=SQLOLEDB;Data Source=nowhere";
    ASSERT_TRUE(open("MPSBCD001.mps"));
    EXPECT_EQ(doc().automation().strDatabaseConnection, "");
    EXPECT_EQ(doc().primal().columns.size(), 32u);
    EXPECT_FALSE(session.database.server().connected());
}

TEST_F(ResultsDatabaseAccessTest, AccessConnectWinsOverAServerConnection) {
    copyExample(folder, "MPSBCD001.mps");
    AutomationProperties properties;
    properties.strDaoConnect =
        "ODBC;DRIVER={Microsoft Access Driver (*.mdb, *.accdb)};DBQ=" + results();
    properties.strDatabaseConnection = "Provider=SQLOLEDB;Data Source=nowhere;Initial Catalog=x";
    session.log.Enable(true);
    EXPECT_TRUE(session.database.OpenResultsDatabase(properties));
    EXPECT_TRUE(session.database.accessDatabase().IsOpen());
    EXPECT_FALSE(session.database.server().connected());
    // The loaders read the database the open chose, not the server named beside it.
    properties.strRunIdTable = "PrSolution";
    EXPECT_TRUE(session.database.FindSolution(properties));
    EXPECT_EQ(session.database.solutionId(), "2");
    EXPECT_FALSE(session.database.server().connected());
    session.database.CloseIfOpen();
    EXPECT_FALSE(session.database.accessDatabase().IsOpen());
    session.log.Close();
    EXPECT_TRUE(folderContent(logs.path()).empty());
}

// TARN off: an automation client names a data source and plain tables of its own.
TEST_F(ResultsDatabaseAccessTest, PlainLayoutIsReadFromTheClientsDataSource) {
    const std::string plain = folder / "plain.db";
    ASSERT_EQ(
        runSqlite(plain, {"CREATE TABLE SolCols (RUN_ID VARCHAR(8), CASE_TAG INTEGER, COLUMN_NAME "
                          "VARCHAR(16), ACTIVITY DOUBLE, DJ_VALUE DOUBLE, PRICE DOUBLE, STATUS "
                          "VARCHAR(2))",
                          "INSERT INTO SolCols VALUES ('A', 0, 'X01', 80, 0, 0, 'BS')",
                          "INSERT INTO SolCols VALUES ('A', 1, 'X02', 25.5, 0, -0.4, 'BS')",
                          "INSERT INTO SolCols VALUES ('B', 0, 'X39', 0, 10, 10, 'LL')",
                          "CREATE TABLE SolRows (RUN_ID VARCHAR(8), CASE_TAG VARCHAR(4), ROW_NAME "
                          "VARCHAR(16), ACTIVITY DOUBLE, PI_VALUE DOUBLE, STATUS VARCHAR(2))",
                          "INSERT INTO SolRows VALUES ('A', '0', 'X05', 80, -0.25, 'UL')"}),
        "");
    const std::string odbcIni =
        folder.write("odbc.ini", "[NorvaPlainResults]\nDriver=SQLite3\nDatabase=" + plain + "\n");
    ::setenv("ODBCINI", odbcIni.c_str(), 1);
    AutomationProperties& properties = doc().automation();
    properties.TARN = false;
    properties.FromAutomationClient = true;
    properties.strDaoDatabase = "NorvaPlainResults";
    properties.strDaoConnect = "ODBC;";
    properties.strPrimalColTable = "SolCols";
    properties.strPrimalRowTable = "SolRows";
    ASSERT_TRUE(open("MPSBCD001.mps"));
    ::unsetenv("ODBCINI");
    ASSERT_EQ(doc().primal().columns.size(), 2u);
    EXPECT_EQ(doc().primal().FindPrimalColumn("X39")->Cost, 10.0f);
    EXPECT_EQ(doc().primal().FindPrimalColumn("X02"), nullptr);  // case 1 is not case 0
    ASSERT_EQ(doc().primal().rows.size(), 1u);
    EXPECT_EQ(doc().primal().rows[0].MarginalValue, -0.25f);
    EXPECT_EQ(doc().primal().rows[0].Status, 5);
    EXPECT_EQ(session.ui.messageCount, 0) << session.ui.lastMessage;
}

// An Access results file whose damage crashes the mdbtools driver while connecting: the crash
// stays in the reading process, the matrix opens without a solution.
TEST_F(ResultsDatabaseAccessTest, ADamagedAccessFileLeavesTheMatrixOpenWithoutSolution) {
    const std::string packaged = "/usr/share/doc/fp-units-db/3.2.2/examples/odbc/testodbc.mdb.gz";
    if (!fs::exists(packaged)) GTEST_SKIP() << packaged << " is missing (fp-units-db-3.2.2)";
    const std::string matrix = copyExample(folder, "MPSBCD001.mps", false);
    ASSERT_EQ(std::system(("gzip -dc '" + packaged + "' > '" + results() + "'").c_str()), 0);
    // The system catalog's table definition.
    std::fstream(results(), std::ios::binary | std::ios::in | std::ios::out)
        .seekp(4131)
        .put('\xFF');
    ASSERT_TRUE(doc().OnOpenDocument(matrix));
    EXPECT_TRUE(doc().primal().columns.empty());
    EXPECT_TRUE(doc().primal().rows.empty());
    EXPECT_FALSE(session.database.accessDatabase().IsOpen());
}

}  // namespace
