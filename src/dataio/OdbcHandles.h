#pragma once

#include <sql.h>
#include <sqlext.h>

#include <stdexcept>
#include <string>
#include <utility>

#include "OdbcError.h"

// A failed ODBC call: the diagnostics the driver manager or driver gave for it.
class OdbcFailure : public std::runtime_error {
public:
    OdbcFailure(OdbcError error, std::string call)
        : std::runtime_error(error.text()), m_error(std::move(error)), m_call(std::move(call)) {}
    const OdbcError& error() const { return m_error; }
    // The ODBC function that failed.
    const std::string& call() const { return m_call; }

private:
    OdbcError m_error;
    std::string m_call;
};

inline bool odbcSucceeded(SQLRETURN rc) { return rc == SQL_SUCCESS || rc == SQL_SUCCESS_WITH_INFO; }

// Every diagnostic record of handle joined into one error (SQLSTATE of the first); what
// failed is named when the handle holds no record.
OdbcError readOdbcDiagnostics(SQLSMALLINT handleType, SQLHANDLE handle, const std::string& what);

// Throws OdbcFailure with the handle's diagnostics unless rc reports success.
void checkOdbc(SQLRETURN rc, SQLSMALLINT handleType, SQLHANDLE handle, const char* what);

// An owned ODBC handle of one type, freed on destruction.
class OdbcHandle {
public:
    OdbcHandle() = default;
    // Allocates a handle of type under parent (SQL_NULL_HANDLE for an environment); throws
    // OdbcFailure when the driver manager refuses.
    OdbcHandle(SQLSMALLINT type, SQLHANDLE parent);
    ~OdbcHandle() { reset(); }
    OdbcHandle(OdbcHandle&& other) noexcept;
    OdbcHandle& operator=(OdbcHandle&& other) noexcept;
    OdbcHandle(const OdbcHandle&) = delete;
    OdbcHandle& operator=(const OdbcHandle&) = delete;

    SQLHANDLE get() const { return m_handle; }
    SQLSMALLINT type() const { return m_type; }
    explicit operator bool() const { return m_handle != SQL_NULL_HANDLE; }
    void reset();
    // Gives up ownership.
    SQLHANDLE release() { return std::exchange(m_handle, nullptr); }

private:
    SQLSMALLINT m_type = 0;
    SQLHANDLE m_handle = SQL_NULL_HANDLE;
};

// An environment that speaks ODBC 3.
OdbcHandle makeOdbcEnvironment();

// The driver's identifier quote (SQL_IDENTIFIER_QUOTE_CHAR); empty when it has none.
std::string odbcIdentifierQuote(SQLHDBC connection);
