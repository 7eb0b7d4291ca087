#include "ResultsDatabase.h"

#include <exception>
#include <functional>
#include <string_view>
#include <utility>

#include "CIoTable.h"
#include "PrimalLists.h"
#include "SourceKind.h"
#include "StringTable.h"

namespace {

constexpr const char* kErrorCaption = "Error";
constexpr const char* kSolutionTable = "PrSolution";
constexpr const char* kCaseTable = "PrCase";
constexpr const char* kColumnTable = "PrPrimalColumn";
constexpr const char* kRowTable = "PrPrimalRow";

constexpr const char* kCurrentColumns = "CaseID,ColumnName,Activity,MarginalValue,Cost,Status";
constexpr const char* kOlderColumns = "CASE,NAME,ACTIVITY,MARVALUE,COST,STATUS";
constexpr const char* kCurrentRows = "CaseID,RowName,Activity,MarginalValue,Status";
constexpr const char* kOlderRows = "CASE,NAME,ACTIVITY,MARVALUE,STATUS";
constexpr const char* kPlainColumns = "CASE_TAG,COLUMN_NAME,ACTIVITY,DJ_VALUE,PRICE,STATUS";
constexpr const char* kPlainRows = "CASE_TAG,ROW_NAME,ACTIVITY,PI_VALUE,STATUS";

// The database object's connect string for a data source name beside a connect string: the
// "ODBC;" prefix dropped and the name appended, so that a driver the string names still wins.
std::string accessConnect(const std::string& dataSource, std::string connect) {
    if (connect.size() >= 5 && std::string_view(connect).substr(0, 5) == "ODBC;")
        connect.erase(0, 5);
    if (dataSource.empty()) return connect;
    if (!connect.empty() && connect.back() != ';') connect += ';';
    return connect + "DSN=" + dataSource;
}

float single(double value) { return static_cast<float>(value); }

CPrimalCol columnRecord(const CIoTable& table, int row) {
    CPrimalCol record;
    record.Name = table.ValueAsString(row, 1);
    record.Activity = single(table.ValueAsDouble(row, 2));
    record.MarginalValue = single(table.ValueAsDouble(row, 3));
    record.Cost = single(table.ValueAsDouble(row, 4));
    record.Status = StatusCodeOfText(table.ValueAsString(row, 5));
    return record;
}

CPrimalRow rowRecord(const CIoTable& table, int row) {
    CPrimalRow record;
    record.Name = table.ValueAsString(row, 1);
    record.Activity = single(table.ValueAsDouble(row, 2));
    record.MarginalValue = single(table.ValueAsDouble(row, 3));
    record.Status = StatusCodeOfText(table.ValueAsString(row, 4));
    return record;
}

// Adds the records of the rows whose case column, read as a double, equals the case number.
void addColumnsOfCase(const CIoTable& table, int caseNumber, PrimalLists& lists) {
    const double caseValue = caseNumber;
    for (int row = 0; row < table.RowCount(); ++row)
        if (table.ValueAsDouble(row, 0) == caseValue)
            lists.AddPrimalColumn(columnRecord(table, row));
}

void addRowsOfCase(const CIoTable& table, int caseNumber, PrimalLists& lists) {
    const double caseValue = caseNumber;
    for (int row = 0; row < table.RowCount(); ++row)
        if (table.ValueAsDouble(row, 0) == caseValue) lists.AddPrimalRow(rowRecord(table, row));
}

}  // namespace

ResultsDatabase::ResultsDatabase(IUserInterface& ui, ILogging& log, std::string programFolder)
    : m_ui(ui), m_programFolder(std::move(programFolder)), m_server(log, ui) {}

bool ResultsDatabase::OpenResultsDatabase(AutomationProperties& properties) {
    WaitCursor wait(m_ui);
    try {
        if (!properties.strDaoDatabase.empty() && !properties.strDaoConnect.empty())
            return openAccess(properties.strDaoDatabase, properties.strDaoConnect);
        if (!properties.strDaoConnect.empty()) return openAccess("", properties.strDaoConnect);
        if (properties.strDatabaseConnection.empty()) return false;
        if (!m_server.connected())
            m_server.StartSQLServer(m_programFolder, properties.strDatabaseConnection);
        return m_server.connected();
    } catch (const std::exception&) {
        return false;
    }
}

bool ResultsDatabase::openAccess(const std::string& dataSource, const std::string& connect) {
    if (m_database.IsOpen()) return true;
    // A missing file is refused here rather than created by the driver: opening a matrix never
    // makes a database.
    return m_database.OpenEx(accessConnect(dataSource, connect));
}

std::unique_ptr<CIoTable> ResultsDatabase::request(const AutomationProperties& properties,
                                                   const std::string& table,
                                                   const std::string& keys,
                                                   const std::string& values,
                                                   const std::string& columns) {
    // The database the open chose is the one read: with both strings set the open takes the
    // Access file, and reading the server instead would show another database's solution.
    if (m_database.IsOpen() || properties.strDatabaseConnection.empty())
        return requestAccess(table, keys, values, columns);
    if (!m_server.connected())
        m_server.StartSQLServer(m_programFolder, properties.strDatabaseConnection);
    AdoConnectionRef connection = m_server.GetConnection();
    return std::make_unique<CIoTable>(std::move(connection), table, keys, values, columns,
                                      kSourceAdo, "");
}

std::unique_ptr<CIoTable> ResultsDatabase::requestAccess(const std::string& table,
                                                         const std::string& keys,
                                                         const std::string& values,
                                                         const std::string& columns) {
    return std::make_unique<CIoTable>(&m_database, table, keys, values, columns, kSourceMfcOdbc);
}

bool ResultsDatabase::tableRead(const CIoTable& table, const std::string& tableName) {
    switch (table.Status()) {
        case kTableRead:
            return true;
        case kTableNotRead:
            m_ui.messageBox(kErrorCaption, strings::format(strings::kTableReadError, tableName));
            return false;
        case kTableNotClosed:
            reportInternalError();
            return false;
        default:  // not opened: the usual sign of a missing database or table
            return false;
    }
}

void ResultsDatabase::reportInternalError() {
    m_ui.messageBox(kErrorCaption, strings::text(strings::kInternalError));
}

bool ResultsDatabase::takeRows(const CIoTable& table, const std::string& tableName,
                               const std::function<void()>& take) {
    if (!tableRead(table, tableName)) return false;
    try {
        take();
        return true;
    } catch (const std::exception&) {
        // A row without the cells asked for: the table layer broke its own promise.
        reportInternalError();
        return false;
    }
}

bool ResultsDatabase::FindSolution(const AutomationProperties& properties) {
    m_solutionId.clear();
    const std::string& tableName = properties.strRunIdTable;
    if (tableName.empty()) return false;
    const bool current = tableName == kSolutionTable;
    const auto table = request(properties, tableName, current ? "SolutionID" : "RUNID", "*", "*");
    if (!tableRead(*table, tableName) || table->RowCount() == 0) return false;
    // No order is asked for: the solution stored last is the one the database lists last.
    const int last = table->RowCount() - 1;
    return takeRows(*table, tableName, [&] {
        m_solutionId = current ? std::to_string(static_cast<int>(table->KeyAsLong(last, 0)))
                               : table->KeyAsString(last, 0);
    });
}

bool ResultsDatabase::FindSolutionOfCase(const AutomationProperties& properties, int caseNumber) {
    if (properties.strRunIdTable.empty() || properties.strPrimalColTable.empty()) return false;
    // Decision: the older layout skips this step. Its request would name no columns, which the
    // table layer rejects, so it could only end with message 118 on every open.
    if (properties.strPrimalColTable != kColumnTable) return false;
    const auto table =
        request(properties, kCaseTable, "CaseID", std::to_string(caseNumber), "SolutionID");
    return takeRows(*table, kCaseTable, [&] {
        for (int row = 0; row < table->RowCount(); ++row)
            if (table->KeyAsLong(row, 0) == caseNumber)
                m_solutionId = std::to_string(static_cast<int>(table->ValueAsLong(row, 0)));
    });
}

bool ResultsDatabase::ReadPrimalColumns(const AutomationProperties& properties, int caseNumber,
                                        PrimalLists& lists) {
    lists.ClearPrimalColumns();
    const std::string& tableName = properties.strPrimalColTable;
    if (tableName.empty()) return false;
    const bool current = tableName == kColumnTable;
    const auto table = request(properties, tableName, current ? "SolutionID" : "RUNID",
                               m_solutionId, current ? kCurrentColumns : kOlderColumns);
    return takeRows(*table, tableName, [&] { addColumnsOfCase(*table, caseNumber, lists); });
}

bool ResultsDatabase::ReadPrimalRows(const AutomationProperties& properties, int caseNumber,
                                     PrimalLists& lists) {
    lists.ClearPrimalRows();
    const std::string& tableName = properties.strPrimalRowTable;
    if (tableName.empty()) return false;
    const bool current = tableName == kRowTable;
    const auto table = request(properties, tableName, current ? "SolutionID" : "RUNID",
                               m_solutionId, current ? kCurrentRows : kOlderRows);
    return takeRows(*table, tableName, [&] { addRowsOfCase(*table, caseNumber, lists); });
}

bool ResultsDatabase::ReadPlainPrimalColumns(const AutomationProperties& properties,
                                             PrimalLists& lists) {
    lists.ClearPrimalColumns();
    const std::string& tableName = properties.strPrimalColTable;
    if (tableName.empty()) return false;
    const auto table = requestAccess(tableName, "RUN_ID", "*", kPlainColumns);
    return takeRows(*table, tableName, [&] { addColumnsOfCase(*table, 0, lists); });
}

bool ResultsDatabase::ReadPlainPrimalRows(const AutomationProperties& properties,
                                          PrimalLists& lists) {
    lists.ClearPrimalRows();
    const std::string& tableName = properties.strPrimalRowTable;
    if (tableName.empty()) return false;
    const auto table = requestAccess(tableName, "RUN_ID", "*", kPlainRows);
    return takeRows(*table, tableName, [&] { addRowsOfCase(*table, 0, lists); });
}

void ResultsDatabase::CloseIfOpen() {
    if (m_database.IsOpen()) m_database.Close();
    if (m_server.connected()) m_server.Disconnect();
}
