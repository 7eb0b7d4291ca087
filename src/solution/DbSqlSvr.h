#pragma once

#include <cstdint>
#include <stdexcept>
#include <string>
#include <vector>

#include "ILogging.h"
#include "IUserInterface.h"
#include "OdbcConnection.h"
#include "ResultsSchema.h"

class IConnectWrapper;

// What a quiet connection object raises instead of showing a message.
class DbSqlSvrError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// The server connection object of the results database. StartSQLServer only records the
// connection string; the database is first reached by GetConnection. Progress and failures go
// to the log file "DbExport.log" in the folder given to StartSQLServer.
class DbSqlSvr {
public:
    static constexpr int kQuietMode = 2;
    static constexpr const char* kLogFileName = "DbExport.log";
    static constexpr const char* kNoConnectionStringMessage =
        "No SQL Server connection string has been set.  Enter one on the Database page of the "
        "Program Options.";

    DbSqlSvr(ILogging& log, IUserInterface& ui);
    ~DbSqlSvr();
    DbSqlSvr(const DbSqlSvr&) = delete;
    DbSqlSvr& operator=(const DbSqlSvr&) = delete;

    // Sets up the connection to the database the string names and sets the connected flag. An
    // empty string is reported (a message box, or in quiet mode stderr and DbSqlSvrError) and
    // changes nothing.
    void StartSQLServer(const std::string& folder, const std::string& connectionString);
    // Drops the connection without closing it and forgets the connected flag.
    void SetConnectionString(const std::string& connectionString);
    // The connection, opened first when there is none; empty, after a line in the log, when it
    // cannot be opened. The caller's reference keeps it alive, not open.
    AdoConnectionRef GetConnection();
    // Closes the connection and drops it; the flag stays, so the next GetConnection reconnects.
    void Disconnect();

    bool connected() const { return m_connected != 0; }
    void setMode(int mode) { m_mode = mode; }
    const std::string& connectionString() const { return m_connectionString; }
    const std::string& folder() const { return m_folder; }
    const std::string& modelPath() const { return m_modelPath; }
    bool asynchronous() const { return m_asynchronous; }
    const std::vector<ResultsSchemaTable>& schema() const { return m_schema; }

private:
    void reportMissingConnectionString();
    void setUpConnection();
    void logOpenFailure(const OdbcError& error);

    ILogging& m_log;
    IUserInterface& m_ui;
    std::string m_connectionString;
    std::int32_t m_connected = 0;
    int m_mode = 1;
    std::string m_folder;
    std::string m_modelPath;
    bool m_asynchronous = false;
    AdoConnectionRef m_connection;
    IConnectWrapper* m_connectWrapper = nullptr;
    std::vector<ResultsSchemaTable> m_schema;
};
