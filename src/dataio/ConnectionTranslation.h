#pragma once

#include <string>
#include <string_view>
#include <vector>

// What to hand to the driver manager for a connection string written for Windows drivers or
// ADO providers, or why nothing can be handed over.
struct OdbcConnectPlan {
    std::string connect;
    bool throughDataSourceName = false;
    std::string error;  // empty when connect is usable

    bool ok() const { return error.empty(); }
};

// Which database a file holds, told by its content, never by its name.
enum class DatabaseFileKind { kMissing, kSqlite, kAccess, kUnknown };
DatabaseFileKind databaseFileKind(const std::string& path);

// An ODBC connect string ("ODBC;" prefix accepted; a string without "=" names a data
// source). A Windows Access driver that is not among installedDrivers is replaced by the
// installed driver that reads the file named by DBQ; a missing file is an error, so that no
// driver creates one.
OdbcConnectPlan translateOdbcConnect(std::string_view connect,
                                     const std::vector<std::string>& installedDrivers);

// An ADO connection string turned into an ODBC one: SQL Server providers to a SQL Server
// driver, ACE/Jet providers to the Access-file route, PostgreSQL providers to psqlODBC, and
// MSDASQL (or no provider) passed through. user and password, when not empty, replace those
// of the string.
OdbcConnectPlan translateAdoConnect(std::string_view adoConnect, const std::string& user,
                                    const std::string& password,
                                    const std::vector<std::string>& installedDrivers);
