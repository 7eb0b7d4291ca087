#include "FileChecksum.h"
#include "ResultsTestSupport.h"
#include "TestData.h"

namespace {

using namespace resultstest;
namespace fs = std::filesystem;

class ResultsDatabaseAccessTest : public ::testing::Test {
protected:
    ResultsDatabaseAccessTest() : session(logs.path()) {}

    // Opens the example under matrixName, its database (unless without) changed first by a
    // script under tests/data/solution or by one statement.
    bool open(const std::string& matrixName, bool withDatabase = true,
              const std::string& change = "") {
        const std::string matrix = copyExample(folder, matrixName, withDatabase);
        if (!change.empty()) {
            EXPECT_EQ(runSqlite(results(),
                                change.ends_with(".sql")
                                    ? scriptStatements(NORVA_TEST_DATA_DIR "/solution/" + change)
                                    : std::vector<std::string>{change}),
                      "");
        }
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

    std::string solution(const char* name) const {
        return testsupport::testData(std::string("solution/") + name + ".txt");
    }

    TempFolder folder;
    TempFolder logs;
    DocumentWithDatabase session;
    std::uint64_t m_checksum = 0;
};

// The case number comes from the matrix name's digits, in any case; without digits only case
// 0 is read. The last solution listed wins, unless no case names it: then case 1's last entry
// does. Without solutions (case 0 then) or without a database, none is read and no message is
// shown; without a database no file is made.
TEST_F(ResultsDatabaseAccessTest, ReadsTheMatrixsCaseOfTheLastSolutionBesideIt) {
    const struct {
        const char* matrix;
        const char* change;
        int caseNumber;
        const char* solutionId;  // unchecked when null
        std::string listing;
    } cases[] = {
        {"MPSBCD001.mps", "", 1, "2", solution("primal_2_1")},
        {"mpsbcd002.mps", "", 2, "2", solution("primal_2_2")},
        {"MPSBCD001.mps", "later_solution.sql", 1, "3", solution("primal_3_1")},
        {"MPSBCD001.mps", "INSERT INTO PrSolution VALUES (3, 'other', 0, NULL)", 1, "2",
         solution("primal_2_1")},
        {"MPSBCD.mps", "case_zero.sql", 0, nullptr,
         "column X02 2 0 0 status 3\nrow R09 3 0 status 4\n"},
        {"MPSBCD001.mps", "DELETE FROM PrSolution", 0, nullptr, ""},
    };
    ASSERT_TRUE(open("MPSBCD001.mps", false));
    EXPECT_GT(doc().model().rows.size(), 0u);
    EXPECT_TRUE(doc().primal().columns.empty());
    EXPECT_EQ(std::distance(fs::directory_iterator(folder.path()), {}), 1);  // the matrix
    EXPECT_TRUE(fs::is_empty(logs.path()));
    for (const auto& c : cases) {
        SCOPED_TRACE(c.change + std::string(" ") + c.matrix);
        ASSERT_TRUE(open(c.matrix, true, c.change));
        EXPECT_EQ(doc().caseNumber(), c.caseNumber);
        if (c.solutionId) {
            EXPECT_EQ(session.database.solutionId(), c.solutionId);
        }
        EXPECT_EQ(primalListing(doc().primal()), c.listing);
        EXPECT_EQ(testsupport::fileChecksum(results()), m_checksum);
        EXPECT_FALSE(session.database.accessDatabase().IsOpen());
    }
    EXPECT_EQ(session.ui.messageCount, 0) << session.ui.lastMessage;
}

TEST_F(ResultsDatabaseAccessTest, RejectsAPrimalColumnTableLackingAColumn) {
    ASSERT_TRUE(open("MPSBCD001.mps", true, "short_column_table.sql"));
    EXPECT_EQ(session.ui.messageCount, 1);
    EXPECT_EQ(session.ui.lastCaption, "Error");
    EXPECT_TRUE(holds(session.ui.lastMessage, "read the PrPrimalColumn table"));
    // The failing step leaves its own list empty; the rows still come.
    const std::string expected = solution("primal_2_1");
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
    EXPECT_EQ(primalListing(doc().primal()), solution("primal_2_1"));
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
