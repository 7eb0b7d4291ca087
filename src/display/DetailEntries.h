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
inline const double* entryCellValue(const CNorvaRow& row, int column, bool rowDisplay) {
    const bool linear = !rowDisplay || row.termNumber == 0;
    switch (column) {
        case 1:
            return linear ? &row.coefficient : nullptr;
        case 2:
            return row.counterpartKnown() ? &row.counterpartValue : nullptr;
        case 3:
            return linear && row.counterpartKnown() ? &row.calculatedValue : nullptr;
        default:
            return nullptr;
    }
}

// The display text of a solution status code (2 "Free Row" ... 8 "Unbounded"); empty for
// any other code.
std::string_view statusText(int code);
