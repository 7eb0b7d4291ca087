#include "ResultsTestSupport.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <regex>

#include "OdbcStatement.h"

namespace resultstest {

std::string examplePath(const std::string& name) {
    return std::string(NORVA_TEST_DATA_DIR) + "/../../examples/" + name;
}

std::string copyExample(const TempFolder& folder, const std::string& matrixName,
                        bool withDatabase) {
    namespace fs = std::filesystem;
    const std::string matrix = folder / matrixName;
    fs::copy_file(examplePath("MPSBCD001.mps"), matrix, fs::copy_options::overwrite_existing);
    if (withDatabase)
        fs::copy_file(examplePath("Results.mdb"), folder / "Results.mdb",
                      fs::copy_options::overwrite_existing);
    return matrix;
}

std::string runStatements(const OdbcConnection& connection, const std::vector<std::string>& sql) {
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

std::string runSqlite(const std::string& file, const std::vector<std::string>& sql) {
    // No connection makes a database file; SQLite takes an empty file as an empty database.
    if (!std::filesystem::exists(file)) std::ofstream(file, std::ios::binary).flush();
    OdbcConnection connection;
    if (!connection.OpenEx("DRIVER={SQLite3};Database=" + file))
        return connection.lastError().text();
    return runStatements(connection, sql);
}

std::vector<std::string> scriptStatements(const std::string& path, bool postgres) {
    std::ifstream in(path);
    std::vector<std::string> statements;
    std::string statement;
    for (std::string line; std::getline(in, line);) {
        if (line.rfind("--", 0) == 0) continue;
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

}  // namespace resultstest
