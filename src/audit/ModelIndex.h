#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include "MatrixModel.h"

// A row in name order with what limits its activity: the right-hand side and the range turned
// into an interval (infinite sides for free directions).
struct IndexedRow {
    const CRow* row;
    double rhs;
    double range;
    double lower;
    double upper;
};

// A column in name order with its bounds (lower -inf without a lower-bound record, upper +inf
// without an upper-bound record).
struct IndexedColumn {
    const CCol* column;
    double lower;
    double upper;
};

// The model's rows and columns in name order with their right-hand sides, ranges and bounds
// gathered, built by merge walks over the sorted arrays; and the way from a coefficient's
// load-order row number to its row here.
class ModelIndex {
public:
    explicit ModelIndex(const MatrixModel& model);

    std::span<const IndexedRow> rows() const { return m_rows; }
    std::span<const IndexedColumn> columns() const { return m_columns; }
    static constexpr std::uint32_t kNoRow = 0xffffffffu;
    // Position in rows() of the row that a coefficient names; kNoRow for a name the row array
    // lacks, which a consistent model never has.
    std::uint32_t rowOfEntry(std::uint32_t loadIndex) const { return m_rowOfLoadIndex[loadIndex]; }
    std::size_t loadRowCount() const { return m_rowOfLoadIndex.size(); }

private:
    void gatherRowValues(const MatrixModel& model);
    void gatherBounds(const MatrixModel& model);
    void mapLoadOrder(const MatrixModel& model);

    std::vector<IndexedRow> m_rows;
    std::vector<IndexedColumn> m_columns;
    std::vector<std::uint32_t> m_rowOfLoadIndex;
};

// The interval a row's activity must lie in, by type, right-hand side and range.
void rowLimits(char type, double rhs, double range, double& lower, double& upper);
