#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "CNorvaRow.h"
#include "NumberFormat.h"

// The text of one of an entry's five list columns. Row display: name, the coefficient (empty
// for a column of a nonlinear term), the activity when known, the product when known and the
// column is linear in the row, the term number when above 0. Column display: name,
// coefficient, Pi when known, product when known, the linearity mark. Empty for a column
// outside 0 to 4.
std::string entryCell(const CNorvaRow& row, int column, bool rowDisplay,
                      const NumberFormatOptions& format);

// The value column 1, 2 or 3 of the entry shows, or nullptr when that cell is empty.
const double* entryCellValue(const CNorvaRow& row, int column, bool rowDisplay);

// The display text of a solution status code (2 "Free Row" ... 8 "Unbounded"); empty for
// any other code.
std::string_view statusText(int code);
