#pragma once

#include <cstddef>

#include "ColumnDescription.h"
#include "TableReporter.h"

inline constexpr std::size_t kDbfMaxColumnName = 10;
inline constexpr int kDbfMaxTextWidth = 255;

// Whether every column can become a field of a new DBF file: a name of 1 to 10 characters, a
// text width of at most 255, fewer decimals than digits for floating types, and a type that a
// DBF field can hold. The first column that fails is reported as an error and ends the check.
bool checkDbfColumns(const ColumnDescriptionList& columns, TableReporter& reporter);
