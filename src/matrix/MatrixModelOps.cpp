#include "MatrixModelOps.h"

#include <cstdint>

#include "Comparators.h"
#include "NameOrderSort.h"

void ClearMatrixModel(MatrixModel& model) {
    model.rows.removeAll();
    model.columns.removeAll();
    model.rhs.removeAll();
    model.ranges.removeAll();
    model.bounds.removeAll();
    // The records above point into these, so they go last.
    model.entries.clear();
    model.rowNameTable.clear();
    model.rowNameTable.shrink_to_fit();
    model.names.clear();
}

void SortMatrixModel(MatrixModel& model) {
    // The prefix sort puts each array into its comparator's order several times faster than
    // comparing whole names; sort() then only confirms the order and keeps the comparator
    // for lookups.
    const auto byNameOnly = [](const auto&) { return 0u; };
    sortByName(model.rows, byNameOnly);
    model.rows.sort(CompareRows);
    sortByName(model.columns, byNameOnly);
    model.columns.sort(CompareCols);
    sortByName(model.rhs, byNameOnly);
    model.rhs.sort(CompareRowValues);
    sortByName(model.ranges, byNameOnly);
    model.ranges.sort(CompareRowValues);
    sortByName(model.bounds,
               [](const CBound& bound) { return static_cast<std::uint32_t>(bound.kind()); });
    model.bounds.sort(CompareBounds);
}
