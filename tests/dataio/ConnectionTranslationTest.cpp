#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>

#include "ConnectionString.h"
#include "ConnectionTranslation.h"
#include "TempFolder.h"

namespace {

using testsupport::TempFolder;

const std::vector<std::string> kDebianDrivers = {"FreeTDS", "PostgreSQL ANSI", "PostgreSQL Unicode",
                                                 "SQLite3", "MDBTools"};

std::string sqliteHeader() { return std::string("SQLite format 3\0rest", 20); }
std::string jetHeader() { return std::string("\0\1\0\0Standard Jet DB\0\0", 21); }

TEST(ConnectionTranslationTest, PassesOdbcStringsAndDataSourceNames) {
    const OdbcConnectPlan bare = translateOdbcConnect("ODBC;Results", kDebianDrivers);
    ASSERT_TRUE(bare.ok());
    EXPECT_EQ(bare.connect, "DSN=Results");
    EXPECT_TRUE(bare.throughDataSourceName);

    const OdbcConnectPlan dsn = translateOdbcConnect("DSN=Results;UID=me", kDebianDrivers);
    EXPECT_EQ(dsn.connect, "DSN=Results;UID=me");
    EXPECT_TRUE(dsn.throughDataSourceName);

    const OdbcConnectPlan driver =
        translateOdbcConnect("odbc;DRIVER={SQLite3};Database=/x.db", kDebianDrivers);
    EXPECT_EQ(driver.connect, "DRIVER={SQLite3};Database=/x.db");
    EXPECT_FALSE(driver.throughDataSourceName);

    const OdbcConnectPlan empty = translateOdbcConnect("ODBC; ", kDebianDrivers);
    EXPECT_FALSE(empty.ok());
    EXPECT_NE(empty.error.find("empty"), std::string::npos);
}

TEST(ConnectionTranslationTest, TellsTheAccessDriversFileByContent) {
    TempFolder folder;
    // A SQLite file named .mdb and an Access file named .sqlite: the content decides.
    const std::string sqlite = folder.write("results.mdb", sqliteHeader());
    const std::string access = folder.write("results.sqlite", jetHeader());
    const ConnectionString toSqlite = ConnectionString::parse(
        translateOdbcConnect(
            "ODBC;DRIVER={Microsoft Access Driver (*.mdb, *.accdb)};DBQ=" + sqlite + ";UID=admin",
            kDebianDrivers)
            .connect);
    EXPECT_EQ(toSqlite.find("DRIVER"), "SQLite3");
    EXPECT_EQ(toSqlite.find("Database"), sqlite);
    EXPECT_FALSE(toSqlite.contains("DBQ"));
    EXPECT_EQ(toSqlite.find("UID"), "admin");

    const ConnectionString toMdb = ConnectionString::parse(
        translateOdbcConnect("DRIVER=Microsoft Access Driver (*.mdb);DBQ=" + access, {}).connect);
    EXPECT_EQ(toMdb.find("DRIVER"), "libmdbodbc.so");  // not registered: the library path
    EXPECT_EQ(toMdb.find("DBQ"), access);

    // Where the Windows driver itself is installed, the string goes to it unchanged.
    const std::string windows = "DRIVER={Microsoft Access Driver (*.mdb)};DBQ=" + access;
    EXPECT_EQ(translateOdbcConnect(windows, {"Microsoft Access Driver (*.mdb)"}).connect, windows);
}

TEST(ConnectionTranslationTest, RejectsAccessFilesThatAreMissingOrForeign) {
    TempFolder folder;
    const std::string missing = folder / "none.accdb";
    const OdbcConnectPlan absent = translateOdbcConnect(
        "DRIVER={Microsoft Access Driver (*.mdb, *.accdb)};DBQ=" + missing, kDebianDrivers);
    EXPECT_FALSE(absent.ok());
    EXPECT_EQ(absent.error, "The database file \"" + missing + "\" does not exist.");
    EXPECT_FALSE(std::filesystem::exists(missing));

    const std::string text = folder.write("notes.mdb", "just some text, not a database");
    const OdbcConnectPlan foreign = translateOdbcConnect(
        "DRIVER={Microsoft Access Driver (*.mdb)};DBQ=" + text, kDebianDrivers);
    EXPECT_NE(foreign.error.find("is neither an Access nor a SQLite database"), std::string::npos);

    // Neither is read: a FIFO would block the open until someone writes to it.
    for (const std::string& odd : {folder / "pipe.mdb", folder.path()}) {
        SCOPED_TRACE(odd);
        if (odd != folder.path()) {
            ASSERT_EQ(::mkfifo(odd.c_str(), 0600), 0);
        }
        const OdbcConnectPlan refused = translateOdbcConnect(
            "DRIVER={Microsoft Access Driver (*.mdb)};DBQ=" + odd, kDebianDrivers);
        EXPECT_NE(refused.error.find("is neither an Access nor a SQLite database"),
                  std::string::npos);
    }

    const OdbcConnectPlan noFile =
        translateOdbcConnect("DRIVER={Microsoft Access Driver (*.mdb)}", kDebianDrivers);
    EXPECT_NE(noFile.error.find("names no database file"), std::string::npos);
}

TEST(ConnectionTranslationTest, TranslatesSqlServerProviders) {
    const ConnectionString odbc = ConnectionString::parse(
        translateAdoConnect("Provider=SQLOLEDB.1;Data Source=tcp:db.example,1533;"
                            "Initial Catalog=Results;User ID=sa;Password=p;w",
                            "", "", kDebianDrivers)
            .connect);
    EXPECT_EQ(odbc.find("DRIVER"), "FreeTDS");
    EXPECT_EQ(odbc.find("Server"), "db.example");
    EXPECT_EQ(odbc.find("Port"), "1533");
    EXPECT_EQ(odbc.find("Database"), "Results");
    EXPECT_EQ(odbc.find("UID"), "sa");
    EXPECT_EQ(odbc.find("PWD"), "p");  // an unbraced ";" ends the value
    EXPECT_FALSE(odbc.contains("Provider"));

    // The description's user and password win over the string's.
    const ConnectionString replaced =
        ConnectionString::parse(translateAdoConnect("Provider=MSOLEDBSQL;Server=db;UserId=a;PWD=b",
                                                    "solver", "s;x", kDebianDrivers)
                                    .connect);
    EXPECT_EQ(replaced.find("UID"), "solver");
    EXPECT_EQ(replaced.find("PWD"), "s;x");
    EXPECT_EQ(replaced.find("Server"), "db");
}

TEST(ConnectionTranslationTest, TranslatesAccessPostgresAndOdbcProviders) {
    TempFolder folder;
    const std::string file = folder.write("r.accdb", sqliteHeader());
    const OdbcConnectPlan ace = translateAdoConnect(
        "Provider=Microsoft.ACE.OLEDB.12.0;Data Source=" + file, "", "", kDebianDrivers);
    EXPECT_EQ(ConnectionString::parse(ace.connect).find("Database"), file);

    const ConnectionString pg = ConnectionString::parse(
        translateAdoConnect("Provider=PostgreSQL OLE DB Provider;Data Source=127.0.0.1;"
                            "Port=5433;Location=norva_test;User ID=postgres",
                            "", "", kDebianDrivers)
            .connect);
    EXPECT_EQ(pg.find("DRIVER"), "PostgreSQL Unicode");
    EXPECT_EQ(pg.find("Server"), "127.0.0.1");
    EXPECT_EQ(pg.find("Port"), "5433");
    EXPECT_EQ(pg.find("Database"), "norva_test");
    EXPECT_EQ(pg.find("UID"), "postgres");
    EXPECT_EQ(pg.find("BoolsAsChar"), "0");

    const OdbcConnectPlan dsn =
        translateAdoConnect("Provider=MSDASQL;Data Source=Results;User ID=u", "", "", {});
    EXPECT_EQ(dsn.connect, "DSN=Results;UID=u");
    EXPECT_TRUE(dsn.throughDataSourceName);

    const OdbcConnectPlan driver =
        translateAdoConnect("Driver={SQLite3};Database=/x.db", "", "", kDebianDrivers);
    EXPECT_EQ(driver.connect, "Driver=SQLite3;Database=/x.db");
}

TEST(ConnectionTranslationTest, RejectsAnUnknownProvider) {
    const OdbcConnectPlan plan =
        translateAdoConnect("Provider=OraOLEDB.Oracle;Data Source=x", "", "", kDebianDrivers);
    EXPECT_FALSE(plan.ok());
    EXPECT_EQ(plan.error, "The provider \"OraOLEDB.Oracle\" has no ODBC driver on this system.");
}

}  // namespace
