#include <cstdlib>

#include "ResultsTestSupport.h"
#include "TestData.h"

namespace {

using namespace resultstest;

constexpr const char* kDatabase = "norva_solution";

// The example's results, loaded into a database of their own on the private server that the
// ctest fixture starts; the tests skip when run without it.
class ResultsDatabaseServerTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        const char* port = std::getenv("NORVA_TEST_PG_PORT");
        if (port == nullptr) return;
        s_port = port;
        s_setupError = createDatabaseOnce();
    }

    // ctest runs each case in a process of its own, several at once: the first process to
    // take the lock makes the database, the others find it made.
    static std::string createDatabaseOnce() {
        OdbcConnection admin, results;
        if (!admin.OpenAdo(driverString("norva_test"))) return admin.lastError().text();
        std::string failures = executeStatements(admin, {"SELECT pg_advisory_lock(5304)"});
        if (!results.OpenAdo(driverString(kDatabase))) {  // not made yet
            failures += executeStatements(admin, {std::string("CREATE DATABASE ") + kDatabase});
            if (!results.OpenAdo(driverString(kDatabase))) return results.lastError().text();
            failures +=
                executeStatements(results, scriptStatements(examplePath("Results.sql"), true));
        }
        return failures + executeStatements(admin, {"SELECT pg_advisory_unlock(5304)"});
    }

    static std::string driverString(const std::string& database) {
        return "Driver={PostgreSQL Unicode};Server=127.0.0.1;Port=" + s_port +
               ";Database=" + database + ";Uid=postgres";
    }

    void SetUp() override {
        if (s_port.empty()) GTEST_SKIP() << "NORVA_TEST_PG_PORT is not set: no PostgreSQL server";
        ASSERT_TRUE(s_setupError.empty()) << s_setupError;
        session.log.Enable(true);
        session.doc.settings().DatabaseType = "SQLSERVER";
        session.doc.SettingsChanged();
    }

    void useServer(const std::string& port) {
        session.doc.databaseSettings().sqlServerConnectionString =
            "Provider=PostgreSQL OLE DB Provider;Data Source=127.0.0.1;Port=" + port +
            ";Initial Catalog=" + kDatabase + ";User ID=postgres";
    }

    std::string logText() {
        session.log.Close();
        return testsupport::fileText(programFolder / "DbExport.log");
    }

    static inline std::string s_port;
    static inline std::string s_setupError;
    TempFolder folder;
    TempFolder programFolder;
    DocumentWithDatabase session{programFolder.path()};
};

TEST_F(ResultsDatabaseServerTest, ReadsEachMatrixsCaseOfTheLastSolutionFromTheServer) {
    useServer(s_port);
    ASSERT_TRUE(session.doc.OnOpenDocument(copyExample(folder, "MPSBCD001.mps", false)));
    EXPECT_EQ(session.ui.messageCount, 0) << session.ui.lastMessage;
    EXPECT_EQ(session.database.solutionId(), "2");
    EXPECT_EQ(primalListing(session.doc.primal()),
              testsupport::testData("solution/primal_2_1.txt"));
    EXPECT_TRUE(session.database.server().connected());
    // The connection is opened again for the next matrix.
    ASSERT_TRUE(session.doc.OnOpenDocument(copyExample(folder, "MPSBCD002.mps", false)));
    EXPECT_EQ(primalListing(session.doc.primal()),
              testsupport::testData("solution/primal_2_2.txt"));
    const std::string log = logText();
    EXPECT_TRUE(holds(log, "   - StartSQLServer ( norva_solution ) - - - - - - - - - - - \n"));
    EXPECT_EQ(log.find("Exception"), std::string::npos) << log;
}

TEST_F(ResultsDatabaseServerTest, RejectsAServerThatCannotBeReachedInTheLog) {
    useServer("1");
    ASSERT_TRUE(session.doc.OnOpenDocument(copyExample(folder, "MPSBCD001.mps", false)));
    EXPECT_GT(session.doc.model().columns.size(), 0u);
    EXPECT_EQ(primalListing(session.doc.primal()), "");
    EXPECT_EQ(session.ui.messageCount, 0) << session.ui.lastMessage;
    const std::string log = logText();
    EXPECT_TRUE(holds(log, "   - StartSQLServer ( norva_solution ) - - - "));
    EXPECT_TRUE(
        holds(log, "   Exception occurred while opening ADO database connection. Error: (0x"));
    EXPECT_TRUE(holds(log, "127.0.0.1"));  // the driver's own words
}

}  // namespace
