#pragma once

#include <cstddef>
#include <string>

// A result column as the driver describes it.
struct OdbcResultColumn {
    std::string name;
    int sqlType = 0;  // the ODBC SQL type as the driver reports it (ODBC 3 date codes)
    std::size_t size = 0;
    int decimals = 0;
};
