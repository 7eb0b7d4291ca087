#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>

#include "CCol.h"
#include "PodVector.h"

// The model's coefficients. A matrix loaded by the library lends its own arrays, kept alive
// here, so an open neither copies nor doubles the bulk of a model; a loader that makes its
// model itself fills arrays owned here. The arrays' description has a fixed address, since
// every column refers to it.
class ModelCoefficients {
public:
    ModelCoefficients() : m_arrays(std::make_unique<CoefficientArrays>()) {}

    std::size_t size() const { return m_count; }
    // Every coefficient, columns in load order.
    ColumnEntries all() const { return {m_arrays->rows, m_arrays->values, m_count}; }
    ColumnEntries::Iterator begin() const { return all().begin(); }
    ColumnEntries::Iterator end() const { return all().end(); }
    const CoefficientArrays* arrays() const { return m_arrays.get(); }

    // The rows' positions index this table, which must outlive the columns.
    void setRowNames(const char* const* rowNames) { m_arrays->rowNames = rowNames; }

    // Borrows count coefficients, owner keeping both arrays alive and unchanged.
    void borrow(const std::uint32_t* rows, const double* values, std::size_t count,
                std::shared_ptr<const void> rowsOwner, std::shared_ptr<const void> valuesOwner) {
        clear();
        m_arrays->rows = rows;
        m_arrays->values = values;
        m_count = count;
        m_rowsOwner = std::move(rowsOwner);
        m_valuesOwner = std::move(valuesOwner);
    }

    // Room for count coefficients, filled by the caller through ownedRows() and ownedValues().
    void allocate(std::size_t count) {
        clear();
        m_ownRows.resize(count);
        m_ownValues.resize(count);
        m_arrays->rows = m_ownRows.data();
        m_arrays->values = m_ownValues.data();
        m_count = count;
    }
    std::uint32_t* ownedRows() { return m_ownRows.data(); }
    double* ownedValues() { return m_ownValues.data(); }

    void clear() {
        const char* const* rowNames = m_arrays->rowNames;
        *m_arrays = CoefficientArrays{};
        m_arrays->rowNames = rowNames;
        m_count = 0;
        m_rowsOwner.reset();
        m_valuesOwner.reset();
        m_ownRows.clear();
        m_ownValues.clear();
    }

private:
    std::unique_ptr<CoefficientArrays> m_arrays;
    std::size_t m_count = 0;
    std::shared_ptr<const void> m_rowsOwner;
    std::shared_ptr<const void> m_valuesOwner;
    orbxmps::PodVector<std::uint32_t> m_ownRows;
    orbxmps::PodVector<double> m_ownValues;
};
