#pragma once

#include <string>
#include <vector>

// The results schema as far as this program names it: tables and their columns, keys first.
// The writing side keeps the full description; the solution reader needs none of it.
struct ResultsSchemaTable {
    std::string name;
    std::vector<std::string> keyColumns;
    std::vector<std::string> columns;
};

std::vector<ResultsSchemaTable> BuildResultsSchema();
