#include "OdbcError.h"

std::string OdbcError::text() const {
    if (sqlState.empty()) return message;
    return message + " (SQLSTATE " + sqlState + ")";
}
