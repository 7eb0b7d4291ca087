#pragma once

#include <string>
#include <vector>

// The names of the ODBC drivers the driver manager knows (odbcinst.ini, or the ODBCSYSINI
// folder's list), in its order; empty when none is registered or no environment can be made.
std::vector<std::string> installedOdbcDrivers();
// The same through an existing ODBC environment handle.
std::vector<std::string> installedOdbcDrivers(void* environment);
