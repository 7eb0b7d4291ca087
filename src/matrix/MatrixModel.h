#pragma once

#include <cstdint>
#include <vector>

#include "CBound.h"
#include "CCol.h"
#include "CRow.h"
#include "CRowValue.h"
#include "CSortableTypedPtrArray.h"
#include "ModelCoefficients.h"
#include "NamePool.h"
#include "RowNameTable.h"

// The document's in-memory copy of the matrix: rows, columns with their coefficients,
// non-zero right-hand sides and ranges, and bounds. Filled by a loader, then sorted.
struct MatrixModel {
    CSortableTypedPtrArray<CRow> rows;
    CSortableTypedPtrArray<CCol> columns;
    CSortableTypedPtrArray<CRowValue> rhs;
    CSortableTypedPtrArray<CRowValue> ranges;
    CSortableTypedPtrArray<CBound> bounds;

    NamePool names;
    RowNameTable rowNameTable;
    // Set by a loader that pairs rows and table entries one to one, each row knowing its own
    // (CRow::loadIndex): the entries of a name are then found from its rows, not by comparing
    // every entry's name.
    bool rowsPairedWithTable = false;
    // Every column's coefficients; the columns are views into them.
    ModelCoefficients entries;
    // Column indexes in load order: entry k is the index in `columns` of the k-th column
    // loaded. Set by the loader or, for columns made in load order, by the sort. Taken in
    // this order, the columns' parts of the coefficient arrays follow one another.
    std::vector<std::uint32_t> columnLoadOrder;
};
