#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

#include "CCol.h"
#include "PodVector.h"

// The model's coefficients. A matrix loaded by the library lends its own arrays, kept alive
// here, so an open neither copies nor doubles the bulk of a model; a loader that makes its
// model itself fills arrays owned here. The arrays' description keeps its address for whoever
// holds arrays(). Columns only know where their part begins: of() gives their coefficients.
class ModelCoefficients {
public:
    ModelCoefficients() : m_arrays(std::make_unique<CoefficientArrays>()) {}

    std::size_t size() const { return m_count; }
    // Every coefficient, columns in load order.
    ColumnEntries all() const { return {m_arrays->rows, m_arrays->values, m_count}; }
    ColumnEntries::Iterator begin() const { return all().begin(); }
    ColumnEntries::Iterator end() const { return all().end(); }
    const CoefficientArrays* arrays() const { return m_arrays.get(); }

    // A column's coefficients as stored, rows by their position in the row-name table.
    ColumnEntries of(const CCol& column) const {
        const CoefficientArrays& arrays = *m_arrays;
        if (arrays.rows == nullptr) return {nullptr, nullptr, 0};
        const std::uint32_t first = column.firstEntry();
        return {arrays.rows + first, arrays.values + first, column.coefficientCount()};
    }
    // The i-th coefficient of column, named by its row; i below column.coefficientCount().
    CRowValue coefficient(const CCol& column, std::size_t i) const {
        const ColumnEntry entry = of(column)[i];
        return {m_arrays->rowNames[entry.row], entry.value};
    }
    // Asks for a column's first coefficients early: the arrays lie in load order, so a walk
    // over the columns in name order meets them at random, a cache miss per column and array.
    // Inlined by force: called, a function that only prefetches is taken for one without
    // effect, and the call is dropped.
    [[gnu::always_inline]] void fetch(const CCol& column) const {
        const CoefficientArrays& arrays = *m_arrays;
        if (arrays.rows == nullptr) return;
        __builtin_prefetch(arrays.rows + column.firstEntry());
        __builtin_prefetch(arrays.values + column.firstEntry());
    }

    // The rows' positions index this table, which must outlive the columns; set after the
    // arrays, which clear it.
    void setRowNames(RowNames rowNames) { m_arrays->rowNames = rowNames; }

    // Borrows count coefficients and the starts of columns loaded columns; owners keep the
    // arrays alive and unchanged.
    void borrow(const std::uint32_t* rows, const double* values, std::size_t count,
                const std::uint32_t* starts, std::size_t columns,
                std::vector<std::shared_ptr<const void>> owners) {
        clear();
        m_arrays->rows = rows;
        m_arrays->values = values;
        m_arrays->starts = starts;
        m_count = count;
        m_columns = columns;
        m_owners = std::move(owners);
    }

    // Room for count coefficients of columns columns, filled by the caller through the owned
    // arrays.
    void allocate(std::size_t count, std::size_t columns) {
        clear();
        m_ownRows.resize(count);
        m_ownValues.resize(count);
        m_ownStarts.resize(columns + 1);
        m_arrays->rows = m_ownRows.data();
        m_arrays->values = m_ownValues.data();
        m_arrays->starts = m_ownStarts.data();
        m_count = count;
        m_columns = columns;
    }
    std::uint32_t* ownedRows() { return m_ownRows.data(); }
    double* ownedValues() { return m_ownValues.data(); }
    std::uint32_t* ownedStarts() { return m_ownStarts.data(); }

    // The columns the starts describe, in load order.
    std::size_t columnCount() const { return m_columns; }

    void clear() {
        *m_arrays = CoefficientArrays{};
        m_count = 0;
        m_columns = 0;
        m_owners.clear();
        m_ownRows.clear();
        m_ownValues.clear();
        m_ownStarts.clear();
    }

private:
    std::unique_ptr<CoefficientArrays> m_arrays;
    std::size_t m_count = 0;
    std::size_t m_columns = 0;
    std::vector<std::shared_ptr<const void>> m_owners;
    orbxmps::PodVector<std::uint32_t> m_ownRows;
    orbxmps::PodVector<double> m_ownValues;
    orbxmps::PodVector<std::uint32_t> m_ownStarts;
};
