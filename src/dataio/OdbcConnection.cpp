#include "OdbcConnection.h"

#include <vector>

#include "ConnectTarget.h"
#include "ConnectionTranslation.h"
#include "IsolatedOdbcSession.h"
#include "OdbcDrivers.h"
#include "OdbcHandles.h"
#include "OdbcStatement.h"

namespace {

constexpr SQLULEN kLoginTimeoutSeconds = 15;

}  // namespace

OdbcConnection::OdbcConnection() = default;

OdbcConnection::~OdbcConnection() {
    Close();
    if (m_environment != nullptr) SQLFreeHandle(SQL_HANDLE_ENV, m_environment);
}

bool OdbcConnection::OpenEx(const std::string& connect) {
    Close();
    if (!ensureEnvironment()) return false;
    const OdbcConnectPlan plan = translateOdbcConnect(connect, installedOdbcDrivers(m_environment));
    if (!plan.ok()) {
        m_lastError = OdbcError{"", 0, plan.error};
        return false;
    }
    return this->connect(plan.connect, plan.throughDataSourceName);
}

bool OdbcConnection::OpenAdo(const std::string& adoConnect, const std::string& user,
                             const std::string& password) {
    Close();
    if (!ensureEnvironment()) return false;
    const OdbcConnectPlan plan =
        translateAdoConnect(adoConnect, user, password, installedOdbcDrivers(m_environment));
    if (!plan.ok()) {
        m_lastError = OdbcError{"", 0, plan.error};
        return false;
    }
    return connect(plan.connect, plan.throughDataSourceName);
}

bool OdbcConnection::OpenDirect(const std::string& odbcConnect) {
    Close();
    if (!ensureEnvironment()) return false;
    m_connectString = odbcConnect;
    m_lastError = {};
    return connectInProcess(odbcConnect);
}

bool OdbcConnection::IsOpen() const {
    return m_connected && (m_isolated == nullptr || m_isolated->alive());
}

void OdbcConnection::Close() {
    if (m_isolated) {
        m_isolated.reset();
        m_connected = false;
    }
    if (m_connection == nullptr) return;
    if (m_connected) SQLDisconnect(m_connection);
    SQLFreeHandle(SQL_HANDLE_DBC, m_connection);
    m_connection = nullptr;
    m_connected = false;
}

bool OdbcConnection::ensureEnvironment() {
    if (m_environment != nullptr) return true;
    try {
        OdbcHandle environment = makeOdbcEnvironment();
        m_environment = environment.release();
        return true;
    } catch (const OdbcFailure& failure) {
        m_lastError = failure.error();
        return false;
    }
}

bool OdbcConnection::connect(const std::string& odbcConnect, bool throughDataSourceName) {
    m_connectString = odbcConnect;
    m_throughDataSourceName = throughDataSourceName;
    m_lastError = {};
    // A file-based driver creates a missing file and blocks on a pipe, so the file is checked
    // before any driver sees the string.
    const ConnectTarget target = connectTarget(odbcConnect);
    if (const std::string problem = databaseFileProblem(target); !problem.empty()) {
        m_lastError = OdbcError{"", 0, problem};
        return false;
    }
    // mdbtools reads LIKE without ESCAPE, and crashes on some damaged files.
    m_likeEscapeWorks = target.driver != FileDatabaseDriver::kMdbTools;
    if (target.driver == FileDatabaseDriver::kMdbTools) return connectIsolated(odbcConnect);
    return connectInProcess(odbcConnect);
}

bool OdbcConnection::connectIsolated(const std::string& odbcConnect) {
    m_isolated = IsolatedOdbcSession::start(odbcConnect, m_lastError);
    if (!m_isolated) return false;
    m_identifierQuote = m_isolated->identifierQuote();
    m_connected = true;
    return true;
}

bool OdbcConnection::connectInProcess(const std::string& odbcConnect) {
    SQLHDBC connection = SQL_NULL_HDBC;
    if (!odbcSucceeded(SQLAllocHandle(SQL_HANDLE_DBC, m_environment, &connection))) {
        m_lastError = readOdbcDiagnostics(SQL_HANDLE_ENV, m_environment, "SQLAllocHandle");
        return false;
    }
    SQLSetConnectAttr(connection, SQL_ATTR_LOGIN_TIMEOUT,
                      reinterpret_cast<SQLPOINTER>(kLoginTimeoutSeconds), 0);
    std::vector<SQLCHAR> text(odbcConnect.begin(), odbcConnect.end());
    text.push_back(0);
    SQLSMALLINT outLength = 0;
    const SQLRETURN rc = SQLDriverConnect(connection, nullptr, text.data(), SQL_NTS, nullptr, 0,
                                          &outLength, SQL_DRIVER_NOPROMPT);
    if (!odbcSucceeded(rc)) {
        m_lastError = readOdbcDiagnostics(SQL_HANDLE_DBC, connection, "SQLDriverConnect");
        SQLFreeHandle(SQL_HANDLE_DBC, connection);
        return false;
    }
    m_connection = connection;
    m_connected = true;
    m_identifierQuote = odbcIdentifierQuote(connection);
    return true;
}

std::vector<std::string> OdbcConnection::TableNames() const {
    if (m_isolated) return m_isolated->tableNames();
    constexpr std::size_t kTableNameColumn = 2;
    OdbcStatement statement(*this);
    statement.listTables();
    std::vector<std::string> names;
    for (std::vector<FetchedValue> row; statement.fetchRow(row);)
        if (row.size() > kTableNameColumn) names.push_back(row[kTableNameColumn].text);
    return names;
}

void OdbcConnection::Query(const std::string& sql, const ColumnsReceiver& onColumns,
                           const RowReceiver& onRow) const {
    if (m_isolated) return m_isolated->query(sql, onColumns, onRow);
    OdbcStatement statement(*this);
    statement.execute(sql);
    onColumns(statement.columns());
    for (std::vector<FetchedValue> row; statement.fetchRow(row);) onRow(row);
}
