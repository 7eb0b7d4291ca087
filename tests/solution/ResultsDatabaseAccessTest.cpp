#include <gtest/gtest.h>
#include <stdlib.h>

#include <filesystem>
#include <fstream>
#include <iterator>

#include "FileChecksum.h"
#include "ResultsTestSupport.h"
#include "TestData.h"

namespace {

using namespace resultstest;
namespace fs = std::filesystem;

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
        EXPECT_EQ(primalListing(doc().primal()),
                  testsupport::testData("solution/primal_" + std::to_string(solution) + "_" +
                                        std::to_string(caseId) + ".txt"));
    }
    // The example beside MPSBCD001.mps, changed by a script under tests/data/solution or by
    // one statement.
    bool openChanged(const std::string& script, const std::string& matrixName = "MPSBCD001.mps") {
        const std::string matrix = copyExample(folder, matrixName);
        EXPECT_EQ(
            runSqlite(results(), script.ends_with(".sql")
                                     ? scriptStatements(NORVA_TEST_DATA_DIR "/solution/" + script)
                                     : std::vector<std::string>{script}),
            "");
        return doc().OnOpenDocument(matrix);
    }

    TempFolder folder;
    TempFolder logs;
    DocumentWithDatabase session;
    std::uint64_t m_checksum = 0;
};

// The case number comes from the matrix name's digits, in any case.
TEST_F(ResultsDatabaseAccessTest, ReadsTheMatrixsCaseOfTheLastSolutionBesideIt) {
    for (const auto& [matrix, caseId] : {std::pair{"MPSBCD001.mps", 1}, {"mpsbcd002.mps", 2}}) {
        SCOPED_TRACE(matrix);
        ASSERT_TRUE(open(matrix));
        EXPECT_EQ(doc().caseNumber(), caseId);
        EXPECT_EQ(session.database.solutionId(), "2");
        expectSolution(2, caseId);
    }
    EXPECT_EQ(session.ui.messageCount, 0) << session.ui.lastMessage;
    EXPECT_FALSE(session.database.accessDatabase().IsOpen());
}

// The last solution listed wins, unless no case names it: then case 1's last entry does.
TEST_F(ResultsDatabaseAccessTest, TheLastSolutionOfTheCaseWins) {
    ASSERT_TRUE(openChanged("later_solution.sql"));
    EXPECT_EQ(session.database.solutionId(), "3");
    expectSolution(3, 1);
    ASSERT_TRUE(openChanged("INSERT INTO PrSolution VALUES (3, 'other', 0, NULL)"));
    EXPECT_EQ(session.database.solutionId(), "2");
    expectSolution(2, 1);
}

TEST_F(ResultsDatabaseAccessTest, MatrixWithoutCaseDigitsReadsOnlyCaseZeroOfTheLastSolution) {
    ASSERT_TRUE(openChanged("case_zero.sql", "MPSBCD.mps"));
    EXPECT_EQ(doc().caseNumber(), 0);
    EXPECT_EQ(primalListing(doc().primal()), "column X02 2 0 0 status 3\nrow R09 3 0 status 4\n");
}

TEST_F(ResultsDatabaseAccessTest, MissingDatabaseLeavesTheMatrixOpenAndCreatesNoFile) {
    ASSERT_TRUE(open("MPSBCD001.mps", false));
    EXPECT_GT(doc().model().rows.size(), 0u);
    EXPECT_TRUE(doc().primal().columns.empty());
    EXPECT_EQ(std::distance(fs::directory_iterator(folder.path()), {}), 1);  // the matrix
    EXPECT_TRUE(fs::is_empty(logs.path()));
    // A database without solutions: none, and no message either.
    ASSERT_TRUE(openChanged("DELETE FROM PrSolution"));
    EXPECT_EQ(primalListing(doc().primal()), "");
    EXPECT_EQ(session.ui.messageCount, 0) << session.ui.lastMessage;
}

TEST_F(ResultsDatabaseAccessTest, RejectsAPrimalColumnTableLackingAColumn) {
    ASSERT_TRUE(openChanged("short_column_table.sql"));
    EXPECT_EQ(session.ui.messageCount, 1);
    EXPECT_EQ(session.ui.lastCaption, "Error");
    EXPECT_NE(session.ui.lastMessage.find("read the PrPrimalColumn table"), std::string::npos);
    // The failing step leaves its own list empty; the rows still come.
    const std::string expected = testsupport::testData("solution/primal_2_1.txt");
    EXPECT_EQ(primalListing(doc().primal()), expected.substr(expected.find("row ")));
}

// Another database name is looked for beside the matrix; a database type with a blank still
// means Access, a server connection string notwithstanding.
TEST_F(ResultsDatabaseAccessTest, OtherAccessNameAndATypeWithABlankReadTheAccessFile) {
    doc().settings().AccessDatabaseName = "Runs.db";
    doc().settings().DatabaseType = "SQL Server";
    doc().SettingsChanged();
    doc().databaseSettings().sqlServerConnectionString = "Provider=SQLOLEDB;Data Source=nowhere";
    copyExample(folder, "MPSBCD001.mps");
    fs::rename(results(), folder / "Runs.db");
    ASSERT_TRUE(doc().OnOpenDocument(folder / "MPSBCD001.mps"));
    EXPECT_EQ(doc().automation().strDatabaseConnection, "");
    expectSolution(2, 1);
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
    EXPECT_TRUE(fs::is_empty(logs.path()));
}

// TARN off: an automation client names a data source and plain tables of its own.
TEST_F(ResultsDatabaseAccessTest, PlainLayoutIsReadFromTheClientsDataSource) {
    const std::string plain = folder / "plain.db";
    ASSERT_EQ(runSqlite(plain, scriptStatements(NORVA_TEST_DATA_DIR "/solution/plain_layout.sql")),
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
    // Case 1's X02 is not case 0's.
    EXPECT_EQ(
        primalListing(doc().primal()),
        "column X01 80 0 0 status 3\ncolumn X39 0 10 10 status 6\nrow X05 80 -0.25 status 5\n");
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
    EXPECT_EQ(primalListing(doc().primal()), "");
    EXPECT_FALSE(session.database.accessDatabase().IsOpen());
}

}  // namespace
