#include <gtest/gtest.h>
#include <stdlib.h>

#include <filesystem>
#include <map>

#include "ConnectTarget.h"
#include "OdbcConnection.h"
#include "TempFolder.h"

namespace {

using testsupport::TempFolder;

// An ini reading from a map of "section/key" to value, for the files the driver manager keeps.
OdbcProfileReader fakeProfile(std::map<std::string, std::string> entries) {
    return [entries](const std::string& section, const std::string& key, const std::string&) {
        const auto found = entries.find(section + "/" + key);
        return found == entries.end() ? std::string() : found->second;
    };
}

TEST(ConnectTargetTest, FindsTheDriverAndFileOfAStringOrItsDataSource) {
    const OdbcProfileReader profile =
        fakeProfile({{"SQLite3/Driver", "libsqlite3odbc.so"},
                     {"MDBTools/Driver", "libmdbodbc.so"},
                     {"Lite/Driver", "SQLite3"},
                     {"Lite/Database", "/dsn.db"},
                     {"Mdb/Driver", "/usr/lib/x86_64-linux-gnu/odbc/libmdbodbc.so"},
                     {"Mdb/Database", "/dsn.mdb"},
                     {"Pg/Driver", "PostgreSQL Unicode"}});
    const struct {
        const char* connect;
        FileDatabaseDriver driver;
        const char* file;
    } cases[] = {
        {"DRIVER={SQLite3};Database=/a.db", FileDatabaseDriver::kSqlite, "/a.db"},
        {"DRIVER=libsqlite3odbc.so", FileDatabaseDriver::kSqlite, ""},
        {"DRIVER={MDBTools};DBQ=/a.mdb", FileDatabaseDriver::kMdbTools, "/a.mdb"},
        {"DSN=Lite", FileDatabaseDriver::kSqlite, "/dsn.db"},
        {"DSN=Lite;Database=/own.db", FileDatabaseDriver::kSqlite, "/own.db"},
        {"DSN=Mdb", FileDatabaseDriver::kMdbTools, "/dsn.mdb"},
        {"DSN=Pg", FileDatabaseDriver::kNone, ""},
        {"DRIVER={PostgreSQL Unicode};Database=x", FileDatabaseDriver::kNone, ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.connect);
        const ConnectTarget target = connectTarget(c.connect, profile);
        EXPECT_EQ(target.driver, c.driver);
        EXPECT_EQ(target.file, c.file);
    }
}

// Every refusal happens before a driver sees the string, so nothing is created.
TEST(DatabaseFileCheckTest, RefusesAFileThatIsMissingOrNotRegular) {
    TempFolder folder;
    const std::string missing = folder / "missing.db";
    const std::string odbcIni =
        folder.write("odbc.ini", "[NorvaMissing]\nDriver=SQLite3\nDatabase=" + missing + "\n");
    ::setenv("ODBCINI", odbcIni.c_str(), 1);
    const struct {
        std::string connect;
        const char* reason;
    } cases[] = {
        {"DRIVER={SQLite3};Database=" + missing, "does not exist"},
        {"DSN=NorvaMissing", "does not exist"},
        {"ODBC;NorvaMissing", "does not exist"},
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

}  // namespace
