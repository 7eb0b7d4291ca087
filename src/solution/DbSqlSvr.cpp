#include "DbSqlSvr.h"

#include <cstdio>
#include <exception>

#include "ConnectionKeyword.h"
#include "IConnectWrapper.h"

namespace {

// What a failed open reports when the driver gave no number of its own (E_FAIL).
constexpr unsigned kUnspecifiedError = 0x80004005u;

std::string formatOpenFailure(unsigned code, const std::string& text) {
    char head[96];
    std::snprintf(head, sizeof(head),
                  "Exception occurred while opening ADO database connection. Error: (0x%08x) ",
                  code);
    return head + text + " \n";
}

}  // namespace

DbSqlSvr::DbSqlSvr(ILogging& log, IUserInterface& ui) : m_log(log), m_ui(ui) {
    m_log.SetFileName(kLogFileName);
    // No folder is known yet, so this line reaches no file.
    m_log.Write("mtd: DbSqlSvr\n");
}

DbSqlSvr::~DbSqlSvr() {
    Disconnect();
    IConnectWrapper::Destroy(m_connectWrapper);
}

void DbSqlSvr::StartSQLServer(const std::string& folder, const std::string& connectionString) {
    m_log.SetFolder(folder);
    if (connectionString.empty()) {
        reportMissingConnectionString();
        return;
    }
    SetConnectionString(connectionString);
    m_folder = folder;
    m_log.Write(" - StartSQLServer ( " +
                ConnectionKeywordValue(connectionString, "Initial Catalog") +
                " ) - - - - - - - - - - - \n");
    m_modelPath = folder + "/" + "TarnModel.tarx";
    setUpConnection();
}

void DbSqlSvr::reportMissingConnectionString() {
    if (m_mode != kQuietMode) {
        m_ui.messageBox("Error", kNoConnectionStringMessage);
        return;
    }
    std::fprintf(stderr, "%s\n", kNoConnectionStringMessage);
    throw DbSqlSvrError(kNoConnectionStringMessage);
}

void DbSqlSvr::setUpConnection() {
    m_connected = 1;
    m_asynchronous = ConnectionKeywordValue(m_connectionString, "ASYNC") == "TRUE";
    if (m_schema.empty()) m_schema = BuildResultsSchema();
}

void DbSqlSvr::SetConnectionString(const std::string& connectionString) {
    m_connection.reset();
    m_connectionString = connectionString;
    m_connected = 0;
    IConnectWrapper::Destroy(m_connectWrapper);
    m_connectWrapper = nullptr;
}

AdoConnectionRef DbSqlSvr::GetConnection() {
    if (m_connection) return m_connection;
    const std::string user = ConnectionUser(m_connectionString);
    const std::string password = ConnectionKeywordValue(m_connectionString, "Password");
    try {
        auto connection = std::make_shared<OdbcConnection>();
        if (!connection->OpenAdo(m_connectionString, user, password)) {
            logOpenFailure(connection->lastError());
            return {};
        }
        m_connection = std::move(connection);
        m_connected = 1;
        return m_connection;
    } catch (const std::exception&) {
        m_log.Write(
            "Exception occurred: Unknown exception occurred while trying to open ADO database\n");
        return {};
    }
}

void DbSqlSvr::logOpenFailure(const OdbcError& error) {
    const unsigned code =
        error.nativeError != 0 ? static_cast<unsigned>(error.nativeError) : kUnspecifiedError;
    m_log.Write(formatOpenFailure(code, error.text()));
}

void DbSqlSvr::Disconnect() {
    if (!m_connection) return;
    m_connection->Close();
    m_connection.reset();
}
