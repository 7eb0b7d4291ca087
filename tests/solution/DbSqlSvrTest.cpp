#include <algorithm>

#include "ConnectionKeyword.h"
#include "DbSqlSvr.h"
#include "ResultsTestSupport.h"
#include "TestData.h"

namespace {

using testsupport::TempFolder;

// Keywords by name, case-insensitive, with a default; the user from UserId (quotes dropped)
// unless it is empty, else from "User ID".
TEST(ConnectionKeywordTest, FindsKeywordsAndTheUser) {
    const std::string connection =
        "Provider=SQLOLEDB; Data Source=srv,1433;Initial Catalog=Results;Password=pw;ASYNC=TRUE";
    EXPECT_EQ(ConnectionKeywordValue(connection, "initial catalog"), "Results");
    EXPECT_EQ(ConnectionKeywordValue(connection, "Data Source"), "srv,1433");
    EXPECT_EQ(ConnectionKeywordValue(connection, "Catalog"), "");
    EXPECT_EQ(ConnectionKeywordValue(connection, "Catalog", "none"), "none");
    EXPECT_EQ(ConnectionKeywordValue("", "Password"), "");
    EXPECT_EQ(ConnectionUser("Provider=SQLOLEDB;UserId=\"sa\";User ID=other"), "sa");
    EXPECT_EQ(ConnectionUser("Provider=SQLOLEDB;UserId=s\"a\";User ID=other"), "sa");
    EXPECT_EQ(ConnectionUser("Provider=SQLOLEDB;User ID=sa"), "sa");
    EXPECT_EQ(ConnectionUser("UserId=;User ID=sa"), "sa");
    EXPECT_EQ(ConnectionUser("UserId=UserId;User ID=sa"), "sa");
    EXPECT_EQ(ConnectionUser("Provider=SQLOLEDB;Data Source=srv"), "");
}

class DbSqlSvrTest : public ::testing::Test {
protected:
    DbSqlSvrTest() { log.Enable(true); }

    TempFolder folder;
    Logging log;
    RecordingUserInterface ui;
};

TEST_F(DbSqlSvrTest, StartLogsTheCatalogAndSetsUpWithoutReachingTheServer) {
    DbSqlSvr server(log, ui);
    server.StartSQLServer(folder.path(),
                          "Provider=SQLOLEDB;Data Source=nowhere;"
                          "Initial Catalog=Results;ASYNC=TRUE");
    EXPECT_EQ(std::tuple(server.connected(), server.asynchronous(), server.schema().empty(),
                         server.modelPath()),
              std::tuple(true, true, false, folder.path() + "/TarnModel.tarx"));
    log.Close();
    // The constructor's line came before any folder was known.
    const std::string text = testsupport::fileText(folder / DbSqlSvr::kLogFileName);
    EXPECT_EQ(text.find("mtd: DbSqlSvr"), std::string::npos) << text;
    EXPECT_TRUE(text.ends_with("    - StartSQLServer ( Results ) - - - - - - - - - - - \n"))
        << text;
    EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), 1);
}

// Shown as a message, or raised in quiet mode and written to the error stream. An earlier
// connection stays as it was; a new connection string clears the flag.
TEST_F(DbSqlSvrTest, RejectsAnEmptyConnectionString) {
    DbSqlSvr quiet(log, ui);
    quiet.setMode(DbSqlSvr::kQuietMode);
    testing::internal::CaptureStderr();
    EXPECT_THROW(quiet.StartSQLServer(folder.path(), ""), DbSqlSvrError);
    const std::string err = testing::internal::GetCapturedStderr();
    EXPECT_TRUE(holds(err, "No SQL Server connection string"));
    EXPECT_EQ(std::pair(ui.messageCount, quiet.connected()), std::pair(0, false));

    DbSqlSvr server(log, ui);
    server.StartSQLServer(folder.path(), "");
    EXPECT_FALSE(server.connected());
    EXPECT_EQ(ui.lastCaption, "Error");
    EXPECT_TRUE(holds(ui.lastMessage, "No SQL Server connection string has been set"));
    server.StartSQLServer(folder.path(), "Provider=SQLOLEDB;Initial Catalog=a");
    server.StartSQLServer(folder.path(), "");
    EXPECT_TRUE(server.connected());
    EXPECT_EQ(server.connectionString(), "Provider=SQLOLEDB;Initial Catalog=a");
    server.SetConnectionString("Provider=SQLOLEDB;Initial Catalog=b");
    EXPECT_FALSE(server.connected());
    EXPECT_EQ(server.connectionString(), "Provider=SQLOLEDB;Initial Catalog=b");
}

TEST_F(DbSqlSvrTest, RejectsAnUnusableProviderInTheLogWithTheUnspecifiedErrorCode) {
    DbSqlSvr server(log, ui);
    server.StartSQLServer(folder.path(), "Provider=NoSuchProvider;Initial Catalog=x");
    EXPECT_EQ(std::pair(server.GetConnection(), ui.messageCount), std::pair(AdoConnectionRef(), 0));
    log.Close();
    const std::string text = testsupport::fileText(folder / DbSqlSvr::kLogFileName);
    EXPECT_TRUE(holds(text,
                      "   Exception occurred while opening ADO database connection. Error: "
                      "(0x80004005) The provider \"NoSuchProvider\" has no ODBC driver on this "
                      "system. \n"));
}

TEST_F(DbSqlSvrTest, ReachesASqliteFileThroughAnAdoStringAndDisconnects) {
    const std::string file = folder / "r.db";
    ASSERT_EQ(resultstest::runSqlite(file, {"CREATE TABLE t (a INTEGER)"}), "");
    DbSqlSvr server(log, ui);
    server.StartSQLServer(folder.path(), "Provider=Microsoft.ACE.OLEDB.12.0;Data Source=" + file);
    const AdoConnectionRef connection = server.GetConnection();
    ASSERT_NE(connection, nullptr);
    EXPECT_EQ(connection->State(), 1);
    EXPECT_EQ(server.GetConnection(), connection);  // handed out again, not reopened
    server.Disconnect();
    EXPECT_EQ(connection->State(), 0);
    EXPECT_TRUE(server.connected());  // the next GetConnection opens a fresh one
    const AdoConnectionRef fresh = server.GetConnection();
    ASSERT_NE(fresh, nullptr);
    EXPECT_NE(fresh, connection);
}

}  // namespace
