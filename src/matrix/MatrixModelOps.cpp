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

namespace {

// Names mostly arrive in order (generated models, files written sorted), so one pass with
// the comparator comes first; only an array out of order gets the prefix sort, after which
// sort() confirms the order and keeps the comparator for lookups.
template <typename T, typename Group>
void sortModelArray(CSortableTypedPtrArray<T>& records,
                    typename CSortableTypedPtrArray<T>::Comparator comparator, Group group) {
    if (records.adoptIfSorted(comparator)) return;
    sortByName(records, group);
    records.sort(comparator);
}

}  // namespace

void SortMatrixModel(MatrixModel& model) {
    const auto byNameOnly = [](const auto&) { return 0u; };
    sortModelArray(model.rows, CompareRows, byNameOnly);
    sortModelArray(model.columns, CompareCols, byNameOnly);
    sortModelArray(model.rhs, CompareRowValues, byNameOnly);
    sortModelArray(model.ranges, CompareRowValues, byNameOnly);
    sortModelArray(model.bounds, CompareBounds,
                   [](const CBound& bound) { return static_cast<std::uint32_t>(bound.kind()); });
}
