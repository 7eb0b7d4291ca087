#pragma once

#include <memory>
#include <string>

#include "OdbcConnection.h"

// What a backend opens: the data source (an open database, a counted ADO connection, or
// neither), the table (for DBF files its path), the source kind, and texts the backends use:
// the extra text, the data path, user and password for a connection the backend makes itself.
struct CIoTableDescription {
    CDatabase* database = nullptr;   // kind 8 and 2: a caller's open connection
    AdoConnectionRef adoConnection;  // kind 10: a counted reference to a caller's connection
    std::string connect;             // kinds 2, 8, 10: connection to make when none is given
    std::string extra;
    std::string tableName;
    std::string dataPath;
    std::string user;
    std::string password;
    int kind = -1;
};
