#include <gtest/gtest.h>
#include <stdlib.h>
#include <sys/stat.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "ConnectionString.h"
#include "ConnectionTranslation.h"
#include "OdbcConnection.h"
#include "OdbcDrivers.h"
#include "TempFolder.h"

namespace {

TEST(ConnectionStringTest, ReadsPairsBracesAndQuotes) {
    const ConnectionString s = ConnectionString::parse(
        " Provider = SQLOLEDB ; Data Source=\"C:\\a;b.mdb\";DRIVER={My }}Driver; x};"
        "Password='it''s';flag;;Empty=");
    EXPECT_EQ(s.find("provider"), "SQLOLEDB");
    EXPECT_EQ(s.find("DATA SOURCE"), "C:\\a;b.mdb");
    EXPECT_EQ(s.find("driver"), "My }Driver; x");
    EXPECT_EQ(s.find("Password"), "it's");
    EXPECT_EQ(s.find("flag"), "");
    EXPECT_EQ(s.find("Empty"), "");
    EXPECT_FALSE(s.find("missing").has_value());
    EXPECT_EQ(s.entries().size(), 6u);
}

TEST(ConnectionStringTest, WritesWhatReadsBackTheSame) {
    ConnectionString s;
    s.set("DRIVER", "SQLite3");
    s.set("Database", "/tmp/a;b {x}.db");
    s.set("PWD", " padded ");
    s.set("driver", "PostgreSQL Unicode");  // replaces, ignoring case, in place
    const std::string text = s.write();
    EXPECT_EQ(text, "DRIVER=PostgreSQL Unicode;Database={/tmp/a;b {x}}.db};PWD={ padded }");
    const ConnectionString back = ConnectionString::parse(text);
    EXPECT_EQ(back.entries(), s.entries());
    s.erase("database");
    EXPECT_EQ(s.write(), "DRIVER=PostgreSQL Unicode;PWD={ padded }");
}

using testsupport::TempFolder;

const std::vector<std::string> kDebianDrivers = {"FreeTDS", "PostgreSQL ANSI", "PostgreSQL Unicode",
                                                 "SQLite3", "MDBTools"};

std::string sqliteHeader() { return std::string("SQLite format 3\0rest", 20); }
std::string jetHeader() { return std::string("\0\1\0\0Standard Jet DB\0\0", 21); }

// The translated string holds each entry; "" stands for an entry that must be absent.
void expectEntries(const std::string& connect,
                   const std::vector<std::pair<std::string, std::string>>& entries) {
    const ConnectionString parsed = ConnectionString::parse(connect);
    for (const auto& [key, value] : entries) {
        if (value.empty())
            EXPECT_FALSE(parsed.contains(key)) << key << " in " << connect;
        else
            EXPECT_EQ(parsed.find(key), value) << connect;
    }
}

// ODBC strings and data source names pass; an Access-driver string goes to the driver its
// file's content calls for (a SQLite file named .mdb, an Access file named .sqlite), unless
// the Windows driver itself is installed.
TEST(ConnectionTranslationTest, PassesOdbcStringsAndTellsTheAccessFileByContent) {
    const std::tuple<const char*, const char*, bool> passed[] = {
        {"ODBC;Results", "DSN=Results", true},
        {"DSN=Results;UID=me", "DSN=Results;UID=me", true},
        {"odbc;DRIVER={SQLite3};Database=/x.db", "DRIVER={SQLite3};Database=/x.db", false}};
    for (const auto& [given, connect, throughName] : passed) {
        const OdbcConnectPlan plan = translateOdbcConnect(given, kDebianDrivers);
        EXPECT_TRUE(plan.ok()) << given;
        EXPECT_EQ(plan.connect, connect);
        EXPECT_EQ(plan.throughDataSourceName, throughName) << given;
    }
    EXPECT_NE(translateOdbcConnect("ODBC; ", kDebianDrivers).error.find("empty"),
              std::string::npos);

    TempFolder folder;
    const std::string sqlite = folder.write("results.mdb", sqliteHeader());
    const std::string access = folder.write("results.sqlite", jetHeader());
    expectEntries(
        translateOdbcConnect(
            "ODBC;DRIVER={Microsoft Access Driver (*.mdb, *.accdb)};DBQ=" + sqlite + ";UID=admin",
            kDebianDrivers)
            .connect,
        {{"DRIVER", "SQLite3"}, {"Database", sqlite}, {"DBQ", ""}, {"UID", "admin"}});
    // Not registered: the library's path.
    expectEntries(
        translateOdbcConnect("DRIVER=Microsoft Access Driver (*.mdb);DBQ=" + access, {}).connect,
        {{"DRIVER", "libmdbodbc.so"}, {"DBQ", access}});
    const std::string windows = "DRIVER={Microsoft Access Driver (*.mdb)};DBQ=" + access;
    EXPECT_EQ(translateOdbcConnect(windows, {"Microsoft Access Driver (*.mdb)"}).connect, windows);
}

// A missing file is not made; a text file, a FIFO (which would block the open) and a folder
// are not read.
TEST(ConnectionTranslationTest, RejectsAccessFilesThatAreMissingOrForeign) {
    TempFolder folder;
    const std::string missing = folder / "none.accdb";
    ASSERT_EQ(::mkfifo((folder / "pipe.mdb").c_str(), 0600), 0);
    const std::string foreign = "is neither an Access nor a SQLite database";
    const std::pair<std::string, std::string> cases[] = {
        {"DBQ=" + missing, "The database file \"" + missing + "\" does not exist."},
        {"DBQ=" + folder.write("notes.mdb", "just some text, not a database"), foreign},
        {"DBQ=" + (folder / "pipe.mdb"), foreign},
        {"DBQ=" + folder.path(), foreign},
        {"", "names no database file"}};
    for (const auto& [file, reason] : cases) {
        const OdbcConnectPlan plan = translateOdbcConnect(
            "DRIVER={Microsoft Access Driver (*.mdb)};" + file, kDebianDrivers);
        EXPECT_FALSE(plan.ok()) << file;
        EXPECT_NE(plan.error.find(reason), std::string::npos) << plan.error;
    }
    EXPECT_FALSE(std::filesystem::exists(missing));
}

// Each provider's string becomes its ODBC driver's; the description's user and password win
// over the string's, and an unbraced ";" ends a value.
TEST(ConnectionTranslationTest, TranslatesProviders) {
    TempFolder folder;
    const std::string file = folder.write("r.accdb", sqliteHeader());
    const auto ado = [](const std::string& given, const std::string& user = "",
                        const std::string& password = "") {
        return translateAdoConnect(given, user, password, kDebianDrivers).connect;
    };
    expectEntries(ado("Provider=SQLOLEDB.1;Data Source=tcp:db.example,1533;"
                      "Initial Catalog=Results;User ID=sa;Password=p;w"),
                  {{"DRIVER", "FreeTDS"},
                   {"Server", "db.example"},
                   {"Port", "1533"},
                   {"Database", "Results"},
                   {"UID", "sa"},
                   {"PWD", "p"},
                   {"Provider", ""}});
    expectEntries(ado("Provider=MSOLEDBSQL;Server=db;UserId=a;PWD=b", "solver", "s;x"),
                  {{"UID", "solver"}, {"PWD", "s;x"}, {"Server", "db"}});
    expectEntries(ado("Provider=Microsoft.ACE.OLEDB.12.0;Data Source=" + file),
                  {{"Database", file}});
    expectEntries(ado("Provider=PostgreSQL OLE DB Provider;Data Source=127.0.0.1;"
                      "Port=5433;Location=norva_test;User ID=postgres"),
                  {{"DRIVER", "PostgreSQL Unicode"},
                   {"Server", "127.0.0.1"},
                   {"Port", "5433"},
                   {"Database", "norva_test"},
                   {"UID", "postgres"},
                   {"BoolsAsChar", "0"}});
    const OdbcConnectPlan dsn =
        translateAdoConnect("Provider=MSDASQL;Data Source=Results;User ID=u", "", "", {});
    EXPECT_EQ(dsn.connect, "DSN=Results;UID=u");
    EXPECT_TRUE(dsn.throughDataSourceName);
    EXPECT_EQ(ado("Driver={SQLite3};Database=/x.db"), "Driver=SQLite3;Database=/x.db");
    const OdbcConnectPlan unknown =
        translateAdoConnect("Provider=OraOLEDB.Oracle;Data Source=x", "", "", kDebianDrivers);
    EXPECT_FALSE(unknown.ok());
    EXPECT_EQ(unknown.error, "The provider \"OraOLEDB.Oracle\" has no ODBC driver on this system.");
}

// Every refusal happens before a driver sees the string, so nothing is created.
TEST(DatabaseFileCheckTest, RefusesAFileThatIsMissingOrNotRegular) {
    TempFolder folder;
    const std::string missing = folder / "missing.db";
    const std::string odbcIni =
        folder.write("odbc.ini", "[NorvaMissing]\nDriver=SQLite3\nDatabase=" + missing +
                                     "\n[NorvaMdb]\nDriver=libmdbodbc.so\nDatabase=" + missing);
    ::setenv("ODBCINI", odbcIni.c_str(), 1);
    const struct {
        std::string connect;
        const char* reason;
    } cases[] = {
        {"DRIVER={SQLite3};Database=" + missing, "does not exist"},
        {"DSN=NorvaMissing", "does not exist"},
        {"ODBC;NorvaMdb", "does not exist"},
        {"DSN=NorvaMissing;Database=" + folder.path(), "is not a regular file"},
        {"DRIVER={SQLite3};Database=" + folder.path(), "is not a regular file"},
        {"DRIVER={SQLite3};Database=/dev/null", "is not a regular file"},
        {"DRIVER={SQLite3}", "names no database file"},
        {"DRIVER={MDBTools};DBQ=" + missing, "does not exist"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.connect);
        OdbcConnection connection;
        EXPECT_FALSE(connection.OpenEx(c.connect));
        EXPECT_NE(connection.lastError().text().find(c.reason), std::string::npos)
            << connection.lastError().text();
        EXPECT_FALSE(std::filesystem::exists(missing));
    }
    ::unsetenv("ODBCINI");
}

// The driver manager keeps the folder of its driver list for the life of a process, so each
// list is read in a fresh child process with ODBCSYSINI pointing at a folder of our own. The
// child prints what it found and exits 0 exactly when that is the expected list.
void expectDriversIn(const std::string& odbcinst, const std::vector<std::string>& expected) {
    testsupport::TempFolder folder;
    folder.write("odbcinst.ini", odbcinst);
    folder.write("odbc.ini", "");
    const std::string path = folder.path();
    EXPECT_EXIT(
        {
            ::setenv("ODBCSYSINI", path.c_str(), 1);
            const std::vector<std::string> found = installedOdbcDrivers();
            for (const std::string& name : found) std::fprintf(stderr, "[%s]", name.c_str());
            std::exit(found == expected ? 0 : 1);
        },
        ::testing::ExitedWithCode(0), "");
}

TEST(OdbcDriversTest, ListsTheRegisteredDriversInTheirOrder) {
    expectDriversIn(
        "[Zeta Driver]\nDriver=/nowhere/libzeta.so\n\n[Alpha]\nDriver=/nowhere/libalpha.so\n",
        {"Zeta Driver", "Alpha"});
}

TEST(OdbcDriversTest, AnEmptyListGivesNoDrivers) { expectDriversIn("", {}); }

}  // namespace
