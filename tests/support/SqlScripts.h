#pragma once

#include <gtest/gtest.h>

#include <exception>
#include <filesystem>
#include <fstream>
#include <regex>
#include <string>
#include <vector>

#include "OdbcStatement.h"

namespace testsupport {

// Runs each statement on connection; the failures' statements and driver texts, one a line
// (empty when every statement ran).
inline std::string executeStatements(const OdbcConnection& connection,
                                     const std::vector<std::string>& sql) {
    std::string failures;
    for (const std::string& statement : sql) {
        try {
            OdbcStatement(connection).execute(statement);
        } catch (const std::exception& failure) {
            failures += statement + ": " + failure.what() + "\n";
        }
    }
    return failures;
}

// Runs each statement on a SQLite file through ODBC; the failures, one a line.
inline std::string runSqlite(const std::string& file, const std::vector<std::string>& sql) {
    // No connection makes a database file; SQLite takes an empty file as an empty database.
    if (!std::filesystem::exists(file)) std::ofstream(file, std::ios::binary).flush();
    OdbcConnection connection;
    if (!connection.OpenEx("DRIVER={SQLite3};Database=" + file))
        return connection.lastError().text();
    return executeStatements(connection, sql);
}

// The statements of a SQL script (one per ";" at a line's end, "--" lines left out, BEGIN and
// COMMIT dropped), written for PostgreSQL when postgres is set.
inline std::vector<std::string> scriptStatements(const std::string& path, bool postgres = false) {
    std::ifstream in(path);
    std::vector<std::string> statements;
    std::string statement;
    for (std::string line; std::getline(in, line);) {
        if (line.starts_with("--")) continue;
        statement += line + "\n";
        if (line.empty() || line.back() != ';') continue;
        statement.resize(statement.size() - 2);
        if (statement != "BEGIN" && statement != "COMMIT") statements.push_back(statement);
        statement.clear();
    }
    if (postgres) {
        const std::regex doubleType(R"(\bDOUBLE\b)");
        for (std::string& s : statements) s = std::regex_replace(s, doubleType, "DOUBLE PRECISION");
    }
    EXPECT_FALSE(statements.empty()) << path;
    return statements;
}

}  // namespace testsupport
