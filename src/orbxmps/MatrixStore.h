#pragma once

#include <cstdint>
#include <string>

#include "LoadWarnings.h"
#include "MatrixExtensions.h"
#include "NameTable.h"
#include "NonlinearTermStore.h"
#include "PodVector.h"

namespace orbxmps {

inline constexpr double kInfinity = 1e20;

// Row type codes as the library reports them.
enum RowTypeCode : std::int16_t {
    kRowFree = 1,
    kRowEqual = 2,
    kRowLessEqual = 3,
    kRowGreaterEqual = 4,
};

// Column status numbers of a held solution.
enum ColumnStatus : std::uint8_t {
    kStatusNone = 0,
    kStatusFree = 1,
    kStatusBasic = 2,
    kStatusFixed = 3,
    kStatusAtUpper = 4,
    kStatusAtLower = 5,
};

enum ColumnFlag : std::uint8_t {
    kColumnInteger = 1,
    kColumnSemiContinuous = 2,
};

// The matrix object's data. Rows and columns are stored 0-based in the order the file gives;
// the public handles add 1 where indexes are 1-based. Elements are stored column by column;
// the row order is an index over them.
struct MatrixStore {
    std::string problemName;
    bool maximise = false;
    std::int64_t objectiveRow = -1;  // the first free row, or -1

    NameTable rowNames;
    PodVector<std::int16_t> rowType;
    PodVector<double> rhs;
    PodVector<double> range;

    NameTable columnNames;
    PodVector<double> lower;
    PodVector<double> upper;
    PodVector<std::uint8_t> columnFlags;
    PodVector<std::uint32_t> columnStart;  // size columns + 1 once complete

    PodVector<std::uint32_t> elementRow;
    PodVector<double> elementValue;

    // Row order, made by buildRowOrder(): the elements of row r are
    // rowElements[rowStart[r] .. rowStart[r+1]), in column order.
    PodVector<std::uint32_t> rowStart;
    PodVector<std::uint32_t> rowElements;

    // Indexes of the rows (columns) in byte-wise name order, equal names in index order. An ORB
    // file may bring them; otherwise ensureNameOrders() sorts the names when first asked.
    PodVector<std::uint32_t> rowNameOrder;
    PodVector<std::uint32_t> columnNameOrder;
    // Lookups answered from the name orders since the load; see findRow().
    mutable std::uint32_t rowOrderSearches = 0;
    mutable std::uint32_t columnOrderSearches = 0;

    NonlinearTermStore nonlinear;

    MatrixExtensions extensions;

    // Cases the reader accepted with a warning (skipped entries, duplicates, ...).
    LoadWarnings warnings;

    // Solution; the arrays are sized only once a solution is held.
    bool hasSolution = false;
    bool solutionFromColumnValues = false;  // activities given, the rest to be derived
    PodVector<double> columnActivity;
    PodVector<double> reducedCost;
    PodVector<std::uint8_t> columnStatus;
    PodVector<double> rowActivity;
    PodVector<double> dualValue;

    std::size_t rowCount() const { return rowNames.size(); }
    std::size_t columnCount() const { return columnNames.size(); }
    std::size_t elementCount() const { return elementValue.size(); }

    // Column of an element, by binary search over columnStart.
    std::uint32_t columnOfElement(std::uint32_t element) const;

    void buildRowOrder();
    // The row order is made at the first row-wise request, not at load: it is a tenth of a
    // large matrix's memory, and an open that is only walked by column never needs it.
    bool hasRowOrder() const { return rowStart.size() == rowCount() + 1; }
    void ensureRowOrder() {
        if (!hasRowOrder()) buildRowOrder();
    }
    // Sorts the row and the column names (on two threads) unless their orders are held.
    void ensureNameOrders();
    // Ends a load: indexes the nonlinear terms by row and frees the name indexes.
    void finishLoad();
    // Frees the row and column names' hash indexes; the next lookup by name builds one again.
    void releaseNameIndexes() const;
    // The position of the row or column of that name (the first when a name repeats), or a
    // negative number. With the name index freed and the name order held, the first few
    // thousand lookups binary-search the order, so that a click after a large load builds no
    // index over millions of names; a pass that looks up many names builds the index.
    std::int64_t findRow(std::string_view name) const;
    std::int64_t findColumn(std::string_view name) const;
    // Sizes the solution arrays (zeroed) and marks a solution as held.
    void allocateSolution();
    // Derives row activities, nonlinear term values and column statuses from column activities.
    void deriveFromColumnValues();
    void clear();
    std::size_t memoryBytes() const;
};

}  // namespace orbxmps
