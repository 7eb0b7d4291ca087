#include <gtest/gtest.h>
#include <stdlib.h>

#include <filesystem>

#include "OdbcConnection.h"
#include "TempFolder.h"

namespace {

using testsupport::TempFolder;

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

}  // namespace
