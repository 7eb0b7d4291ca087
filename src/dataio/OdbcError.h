#pragma once

#include <string>

// What a failed ODBC call said: the driver manager's or driver's SQLSTATE and text.
struct OdbcError {
    std::string sqlState;
    int nativeError = 0;
    std::string message;

    bool empty() const { return message.empty() && sqlState.empty(); }
    // "message (SQLSTATE xxxxx)"; just the message when no state is known.
    std::string text() const;
};
