#pragma once

#include <string>

// The connection dialog's fields, read from and written back into an ADO-style connection
// string. The SQL Server driver (FreeTDS) is written as the SQLOLEDB provider with "Data
// Source" and "Initial Catalog", as the results-database path expects; any other driver as an
// MSDASQL string naming the ODBC driver with "Server" and "Database". Entries the dialog does
// not edit stay as they were; an empty field removes its entry.
struct DataLinkFields {
    std::string driver;
    std::string server;
    std::string database;
    std::string user;
    std::string password;
};

// The ODBC driver the SQLOLEDB provider reaches SQL Server through.
inline constexpr const char* kSqlServerOdbcDriver = "FreeTDS";

DataLinkFields readDataLinkFields(const std::string& connectionString);
std::string writeDataLinkFields(const std::string& connectionString, const DataLinkFields& fields);
