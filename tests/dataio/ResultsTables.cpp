#include "ResultsTables.h"

#include <sstream>

#include "OdbcStatement.h"
#include "TestData.h"

namespace testsupport {

std::vector<std::string> resultsTableStatements(SqlDialect dialect) {
    std::istringstream file(testData(dialect == SqlDialect::kPostgres
                                         ? "dataio/results-postgres.sql"
                                         : "dataio/results-sqlite.sql"));
    std::vector<std::string> sql;
    for (std::string line; std::getline(file, line);)
        if (!line.empty() && !line.starts_with("--"))
            sql.push_back(line.substr(0, line.size() - 1));
    return sql;
}

std::string executeStatements(const OdbcConnection& connection,
                              const std::vector<std::string>& sql) {
    std::string failures;
    for (const std::string& statement : sql) {
        try {
            OdbcStatement(connection).execute(statement);
        } catch (const OdbcFailure& failure) {
            failures += statement + ": " + failure.what() + "\n";
        }
    }
    return failures;
}

bool tableExists(const OdbcConnection& connection, const std::string& table) {
    try {
        OdbcStatement(connection).execute("SELECT * FROM " + table + " WHERE 1=0");
        return true;
    } catch (const OdbcFailure&) {
        return false;
    }
}

}  // namespace testsupport
