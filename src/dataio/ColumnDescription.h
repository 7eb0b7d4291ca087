#pragma once

#include <string>
#include <vector>

// A column of a table as a backend describes it: its name and ODBC type code, and for DBF
// files and the column checks also its width and number of decimals.
struct ColumnDescription {
    std::string name;
    int sqlType = 0;
    int width = 0;
    int decimals = 0;
};

using ColumnDescriptionList = std::vector<ColumnDescription>;
