#include "MatrixModelOps.h"

#include <cstdint>
#include <numeric>

#include "Comparators.h"
#include "NameOrderSort.h"
#include "ParallelWork.h"

void ClearMatrixModel(MatrixModel& model) {
    model.rows.removeAll();
    model.columns.removeAll();
    model.rhs.removeAll();
    model.ranges.removeAll();
    model.bounds.removeAll();
    // The records above point into these, so they go last.
    model.entries.clear();
    model.rowNameTable.clear();
    model.rowsPairedWithTable = false;
    model.columnLoadOrder.clear();
    model.columnLoadOrder.shrink_to_fit();
    model.names.clear();
}

namespace {

// Names that arrive in order (files written sorted) cost one pass with the comparator, which
// stops at the first name out of order; the rest get the prefix sort, whose order is the
// comparator's.
template <typename T, typename Group>
void sortModelArray(CSortableTypedPtrArray<T>& records,
                    typename CSortableTypedPtrArray<T>::Comparator comparator, Group group) {
    if (records.adoptIfSorted(comparator)) return;
    sortByName(records, group);
    records.adoptSorted(comparator);
}

const auto byNameOnly = [](const auto&) { return 0u; };

void sortRowArrays(MatrixModel& model) {
    sortModelArray(model.rows, CompareRows, byNameOnly);
    sortModelArray(model.rhs, CompareRowValues, byNameOnly);
    sortModelArray(model.ranges, CompareRowValues, byNameOnly);
}

// A loader that made the columns in load order leaves columnLoadOrder empty; the sort then
// records where each column went, so that load order stays known.
void sortColumns(MatrixModel& model) {
    const bool loadOrderKnown = model.columnLoadOrder.size() == model.columns.size();
    if (model.columns.adoptIfSorted(CompareCols)) {
        if (!loadOrderKnown) {
            model.columnLoadOrder.resize(model.columns.size());
            std::iota(model.columnLoadOrder.begin(), model.columnLoadOrder.end(), 0u);
        }
        return;
    }
    sortByName(model.columns, byNameOnly, loadOrderKnown ? nullptr : &model.columnLoadOrder);
    model.columns.adoptSorted(CompareCols);
}

void sortColumnArrays(MatrixModel& model) {
    sortColumns(model);
    sortModelArray(model.bounds, CompareBounds,
                   [](const CBound& bound) { return static_cast<std::uint32_t>(bound.kind()); });
}

}  // namespace

// The row-named and the column-named arrays share nothing, so they sort on two cores; each
// array's order is the same whichever thread sorts it.
void SortMatrixModel(MatrixModel& model) {
    orbxmps::runAlongside([&model] { sortRowArrays(model); },
                          [&model] { sortColumnArrays(model); });
}
