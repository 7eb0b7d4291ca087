#include "SqliteTestDatabase.h"

#include <gtest/gtest.h>

#include <fstream>

#include "ResultsTables.h"

namespace testsupport {

SqliteTestDatabase::SqliteTestDatabase() : m_path(m_folder / "results.sqlite") {
    // No connection makes a database file; SQLite takes an empty file as an empty database.
    std::ofstream(m_path, std::ios::binary).flush();
    if (!m_direct.OpenEx("DRIVER={SQLite3};SyncPragma=off;Database=" + m_path)) {
        ADD_FAILURE() << "cannot create " << m_path << ": " << m_direct.lastError().text();
        return;
    }
    const std::string failures =
        executeStatements(m_direct, resultsTableStatements(SqlDialect::kSqlite));
    if (!failures.empty()) ADD_FAILURE() << failures;
}

std::string SqliteTestDatabase::accessConnect() const {
    return "ODBC;DRIVER={Microsoft Access Driver (*.mdb, *.accdb)};DBQ=" + m_path;
}

}  // namespace testsupport
