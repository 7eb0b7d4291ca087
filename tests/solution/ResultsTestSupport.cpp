#include "ResultsTestSupport.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <regex>
#include <sstream>

#include "OdbcStatement.h"

namespace resultstest {

namespace {

double numberOf(const FetchedValue& value) {
    using Kind = FetchedValue::Kind;
    switch (value.kind) {
        case Kind::kInteger16:
        case Kind::kInteger32:
        case Kind::kInteger64:
        case Kind::kUnsigned8:
            return static_cast<double>(value.integer);
        case Kind::kText:
            return std::stod(value.text);
        default:
            return value.number;
    }
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

std::vector<std::string> exampleStatements(bool postgres) {
    std::ifstream in(examplePath("Results.sql"));
    std::stringstream text;
    text << in.rdbuf();
    std::vector<std::string> statements;
    std::string statement;
    for (std::string line; std::getline(text, line);) {
        if (line.rfind("--", 0) == 0) continue;
        statement += line + "\n";
        if (line.empty() || line.back() != ';') continue;
        statement.pop_back();
        statement.pop_back();
        if (statement != "BEGIN" && statement != "COMMIT") statements.push_back(statement);
        statement.clear();
    }
    if (postgres) {
        const std::regex doubleType(R"(\bDOUBLE\b)");
        for (std::string& s : statements) s = std::regex_replace(s, doubleType, "DOUBLE PRECISION");
    }
    return statements;
}

std::vector<StoredRecord> storedColumns(const std::string& file, int solution, int caseId) {
    std::vector<StoredRecord> records;
    const std::string sql =
        "SELECT ColumnName, Activity, MarginalValue, Cost, Status FROM PrPrimalColumn WHERE "
        "SolutionID = " +
        std::to_string(solution) + " AND CaseID = " + std::to_string(caseId);
    for (const auto& row : query(file, sql))
        records.push_back(
            {row[0].text, numberOf(row[1]), numberOf(row[2]), numberOf(row[3]), row[4].text});
    return records;
}

std::vector<StoredRecord> storedRows(const std::string& file, int solution, int caseId) {
    std::vector<StoredRecord> records;
    const std::string sql =
        "SELECT RowName, Activity, MarginalValue, Status FROM PrPrimalRow WHERE SolutionID = " +
        std::to_string(solution) + " AND CaseID = " + std::to_string(caseId);
    for (const auto& row : query(file, sql))
        records.push_back({row[0].text, numberOf(row[1]), numberOf(row[2]), 0.0, row[3].text});
    return records;
}

void expectDocumentHolds(const CNorvaDoc& doc, const std::string& file, int solution, int caseId) {
    const auto columns = storedColumns(file, solution, caseId);
    const auto rows = storedRows(file, solution, caseId);
    ASSERT_FALSE(columns.empty());
    ASSERT_EQ(doc.primal().columns.size(), columns.size());
    ASSERT_EQ(doc.primal().rows.size(), rows.size());
    for (const StoredRecord& stored : columns) {
        const CPrimalCol* record = doc.primal().FindPrimalColumn(stored.name);
        ASSERT_NE(record, nullptr) << stored.name;
        EXPECT_EQ(record->Activity, static_cast<float>(stored.activity)) << stored.name;
        EXPECT_EQ(record->MarginalValue, static_cast<float>(stored.marginal)) << stored.name;
        EXPECT_EQ(record->Cost, static_cast<float>(stored.cost)) << stored.name;
        EXPECT_EQ(record->Status, StatusCodeOfText(stored.status)) << stored.name;
    }
    for (const StoredRecord& stored : rows) {
        const CPrimalRow* record = doc.primal().FindPrimalRow(stored.name);
        ASSERT_NE(record, nullptr) << stored.name;
        EXPECT_EQ(record->Activity, static_cast<float>(stored.activity)) << stored.name;
        EXPECT_EQ(record->MarginalValue, static_cast<float>(stored.marginal)) << stored.name;
        EXPECT_EQ(record->Status, StatusCodeOfText(stored.status)) << stored.name;
    }
}

}  // namespace resultstest
