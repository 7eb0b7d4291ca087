#include "OdbcHandles.h"

#include <utility>

OdbcError readOdbcDiagnostics(SQLSMALLINT handleType, SQLHANDLE handle, const std::string& what) {
    OdbcError error;
    for (SQLSMALLINT record = 1; handle != SQL_NULL_HANDLE; ++record) {
        SQLCHAR state[6] = {};
        SQLINTEGER native = 0;
        SQLCHAR text[1024] = {};
        SQLSMALLINT length = 0;
        const SQLRETURN rc =
            SQLGetDiagRec(handleType, handle, record, state, &native, text, sizeof(text), &length);
        if (!odbcSucceeded(rc)) break;
        if (record == 1) {
            error.sqlState = reinterpret_cast<const char*>(state);
            error.nativeError = native;
        }
        if (!error.message.empty()) error.message += "\n";
        error.message += reinterpret_cast<const char*>(text);
    }
    if (error.message.empty()) error.message = what + " failed";
    return error;
}

void checkOdbc(SQLRETURN rc, SQLSMALLINT handleType, SQLHANDLE handle, const char* what) {
    if (odbcSucceeded(rc)) return;
    if (rc == SQL_INVALID_HANDLE)
        throw OdbcFailure(OdbcError{"", 0, std::string(what) + ": invalid handle"}, what);
    throw OdbcFailure(readOdbcDiagnostics(handleType, handle, what), what);
}

OdbcHandle::OdbcHandle(SQLSMALLINT type, SQLHANDLE parent) : m_type(type) {
    const SQLRETURN rc = SQLAllocHandle(type, parent, &m_handle);
    if (odbcSucceeded(rc)) return;
    m_handle = SQL_NULL_HANDLE;
    const SQLSMALLINT parentType = type == SQL_HANDLE_STMT ? SQL_HANDLE_DBC : SQL_HANDLE_ENV;
    throw OdbcFailure(readOdbcDiagnostics(parentType, parent, "SQLAllocHandle"), "SQLAllocHandle");
}

OdbcHandle::OdbcHandle(OdbcHandle&& other) noexcept
    : m_type(other.m_type), m_handle(std::exchange(other.m_handle, nullptr)) {}

OdbcHandle& OdbcHandle::operator=(OdbcHandle&& other) noexcept {
    if (this == &other) return *this;
    reset();
    m_type = other.m_type;
    m_handle = std::exchange(other.m_handle, nullptr);
    return *this;
}

void OdbcHandle::reset() {
    if (m_handle == SQL_NULL_HANDLE) return;
    SQLFreeHandle(m_type, m_handle);
    m_handle = SQL_NULL_HANDLE;
}

OdbcHandle makeOdbcEnvironment() {
    OdbcHandle environment(SQL_HANDLE_ENV, SQL_NULL_HANDLE);
    checkOdbc(SQLSetEnvAttr(environment.get(), SQL_ATTR_ODBC_VERSION,
                            reinterpret_cast<SQLPOINTER>(SQL_OV_ODBC3), 0),
              SQL_HANDLE_ENV, environment.get(), "SQLSetEnvAttr");
    return environment;
}

std::string odbcIdentifierQuote(SQLHDBC connection) {
    char quote[8] = {};
    SQLSMALLINT length = 0;
    const SQLRETURN rc =
        SQLGetInfo(connection, SQL_IDENTIFIER_QUOTE_CHAR, quote, sizeof(quote), &length);
    if (!odbcSucceeded(rc)) return {};
    const std::string text(quote);
    // A blank means the driver has no identifier quote.
    return text == " " ? std::string() : text;
}
