#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "FetchedValue.h"
#include "OdbcError.h"
#include "OdbcResultColumn.h"

class IsolatedOdbcSession;

using SqlEnvironmentHandle = void*;
using SqlConnectionHandle = void*;

// An ODBC connection through unixODBC. It takes the place of the framework's database object
// on the ODBC path and of the ADO connection on the ADO path: both reach their databases
// through the same drivers, the ADO path with its connection strings translated.
class OdbcConnection {
public:
    OdbcConnection();
    ~OdbcConnection();
    OdbcConnection(const OdbcConnection&) = delete;
    OdbcConnection& operator=(const OdbcConnection&) = delete;

    // An ODBC connect string ("ODBC;" prefix accepted), "DSN=name" or a bare data source
    // name. The Windows Access driver name is replaced by the installed driver that fits the
    // file named by DBQ. A file-based driver's file must exist as a regular file; the mdbtools
    // driver, which can crash on a damaged file, runs in a reading process of its own. False
    // with lastError() set when the connection cannot be made.
    bool OpenEx(const std::string& connect);
    // An ADO connection string (SQLOLEDB, ACE/Jet providers, or one that already names an ODBC
    // driver or data source), translated to ODBC; user and password, when not empty, replace
    // those of the string.
    bool OpenAdo(const std::string& adoConnect, const std::string& user = {},
                 const std::string& password = {});
    // Connects in this process with odbcConnect as it stands: no translation, no file check,
    // no reading process. What the reading process itself runs.
    bool OpenDirect(const std::string& odbcConnect);
    bool IsOpen() const;
    // The ADO connection's state: 0 closed, 1 open.
    int State() const { return IsOpen() ? 1 : 0; }
    void Close();

    // The driver's identifier quote (SQL_IDENTIFIER_QUOTE_CHAR); empty when it has none.
    const std::string& IdentifierQuote() const { return m_identifierQuote; }
    // Whether the driver's SQL takes LIKE ... ESCAPE.
    bool LikeEscapeWorks() const { return m_likeEscapeWorks; }
    // The names of every table and view the catalog lists. Throws OdbcFailure.
    std::vector<std::string> TableNames() const;
    // Runs sql, hands its columns to onColumns, then each row in turn to onRow. Throws
    // OdbcFailure (call() names the ODBC function that failed).
    using ColumnsReceiver = std::function<void(const std::vector<OdbcResultColumn>&)>;
    using RowReceiver = std::function<void(std::vector<FetchedValue>&)>;
    void Query(const std::string& sql, const ColumnsReceiver& onColumns,
               const RowReceiver& onRow) const;

    // True when the connection was made through a data source name rather than a driver.
    bool ReachedThroughDataSourceName() const { return m_throughDataSourceName; }
    // The ODBC connect string actually handed to the driver manager (password included).
    const std::string& ConnectString() const { return m_connectString; }
    const OdbcError& lastError() const { return m_lastError; }

    // The driver manager's handle; null for a connection held by a reading process.
    SqlConnectionHandle handle() const { return m_connection; }

private:
    bool ensureEnvironment();
    bool connect(const std::string& odbcConnect, bool throughDataSourceName);
    bool connectInProcess(const std::string& odbcConnect);
    bool connectIsolated(const std::string& odbcConnect);

    SqlEnvironmentHandle m_environment = nullptr;
    SqlConnectionHandle m_connection = nullptr;
    // Set instead of m_connection for a driver that reads in a process of its own.
    std::unique_ptr<IsolatedOdbcSession> m_isolated;
    bool m_connected = false;
    bool m_throughDataSourceName = false;
    std::string m_connectString;
    std::string m_identifierQuote;
    bool m_likeEscapeWorks = true;
    OdbcError m_lastError;
};

// The framework's database object on the ODBC path, and the counted ADO connection reference.
using CDatabase = OdbcConnection;
using AdoConnectionRef = std::shared_ptr<OdbcConnection>;
