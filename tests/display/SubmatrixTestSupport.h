#pragma once

#include <cstdio>
#include <string>
#include <string_view>
#include <vector>

#include "DisplayTestSupport.h"
#include "Submatrix.h"

namespace displaytest {

// The submatrix as text, for whole comparisons: "ROW type rhs" per row in the order added,
// then "COLUMN: row=value ..." per column in name order.
inline std::vector<std::string> describe(const Submatrix& submatrix) {
    std::vector<std::string> lines;
    for (std::size_t r = 0; r < submatrix.rowCount(); ++r) {
        const SubmatrixRow& row = submatrix.row(r);
        lines.push_back(row.name + " " + row.type + " " + std::to_string(row.rhs));
    }
    for (std::size_t c = 0; c < submatrix.columnCount(); ++c) {
        const SubmatrixColumn& column = submatrix.column(c);
        std::string line = column.name + ":";
        for (const SubmatrixEntry& entry : column.entries) {
            char value[32];
            std::snprintf(value, sizeof value, "%g", static_cast<double>(entry.value));
            line += " " + submatrix.row(entry.row).name + "=" + value;
        }
        lines.push_back(line);
    }
    return lines;
}

}  // namespace displaytest
