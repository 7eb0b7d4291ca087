#pragma once

#include <string>
#include <vector>

#include "OdbcConnection.h"

namespace testsupport {

enum class SqlDialect { kSqlite, kPostgres };

// The statements of tests/data/dataio/results-*.sql, for SQLite or PostgreSQL.
std::vector<std::string> resultsTableStatements(SqlDialect dialect);

// Runs each statement on connection; the failures' statements and driver texts, one a line
// (empty when every statement ran).
std::string executeStatements(const OdbcConnection& connection,
                              const std::vector<std::string>& sql);

// Whether a table of that name can be selected from through connection.
bool tableExists(const OdbcConnection& connection, const std::string& table);

}  // namespace testsupport
