#include "ResultsTestSupport.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <regex>

#include "OdbcStatement.h"

namespace resultstest {

namespace {

double numberOf(const FetchedValue& value) {
    using Kind = FetchedValue::Kind;
    if (value.kind == Kind::kText) return std::stod(value.text);
    return value.kind >= Kind::kSingle ? value.number : static_cast<double>(value.integer);
}

std::vector<std::vector<FetchedValue>> query(const std::string& file, const std::string& sql) {
    OdbcConnection connection;
    std::vector<std::vector<FetchedValue>> rows;
    if (!connection.OpenEx("DRIVER={SQLite3};Database=" + file)) {
        ADD_FAILURE() << connection.lastError().text();
        return rows;
    }
    OdbcStatement statement(connection);
    statement.execute(sql);
    for (std::vector<FetchedValue> row; statement.fetchRow(row);) rows.push_back(row);
    return rows;
}

}  // namespace

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

std::size_t storedRowCount(const std::string& file, int solution, int caseId) {
    return query(file, "SELECT RowName FROM PrPrimalRow WHERE SolutionID = " +
                           std::to_string(solution) + " AND CaseID = " + std::to_string(caseId))
        .size();
}

// The stored columns' and rows' records are compared with the lists' alike; rows have no cost.
void expectDocumentHolds(const CNorvaDoc& doc, const std::string& file, int solution, int caseId) {
    const std::string where = " WHERE SolutionID = " + std::to_string(solution) +
                              " AND CaseID = " + std::to_string(caseId);
    const auto columns = query(file,
                               "SELECT ColumnName, Activity, MarginalValue, Status, Cost FROM "
                               "PrPrimalColumn" +
                                   where);
    const auto rows =
        query(file, "SELECT RowName, Activity, MarginalValue, Status FROM PrPrimalRow" + where);
    ASSERT_FALSE(columns.empty());
    ASSERT_EQ(doc.primal().columns.size(), columns.size());
    ASSERT_EQ(doc.primal().rows.size(), rows.size());
    const auto expectSame = [](const auto* record, const std::vector<FetchedValue>& stored) {
        ASSERT_NE(record, nullptr) << stored[0].text;
        EXPECT_EQ(record->Activity, static_cast<float>(numberOf(stored[1]))) << stored[0].text;
        EXPECT_EQ(record->MarginalValue, static_cast<float>(numberOf(stored[2]))) << stored[0].text;
        EXPECT_EQ(record->Status, StatusCodeOfText(stored[3].text)) << stored[0].text;
    };
    for (const auto& stored : columns) {
        const CPrimalCol* record = doc.primal().FindPrimalColumn(stored[0].text);
        expectSame(record, stored);
        if (record != nullptr) {
            EXPECT_EQ(record->Cost, static_cast<float>(numberOf(stored[4]))) << stored[0].text;
        }
    }
    for (const auto& stored : rows) expectSame(doc.primal().FindPrimalRow(stored[0].text), stored);
}

}  // namespace resultstest
