#pragma once

#include <cstddef>
#include <cstdint>
#include <iterator>
#include <string_view>

#include "CRowValue.h"
#include "RowNameTable.h"

// A coefficient as the model shows it: the row by its position in the model's row-name table
// (load order), and the value rounded to a 32-bit float.
struct ColumnEntry {
    std::uint32_t row;
    float value;
};

// Where a model's coefficients live: two parallel arrays holding the columns' parts one after
// another in load order, where each part starts, and the row-name table that a row position
// indexes. A loaded matrix's own arrays serve as they are, so opening a model copies no
// coefficient.
struct CoefficientArrays {
    const std::uint32_t* rows = nullptr;
    const double* values = nullptr;
    const std::uint32_t* starts = nullptr;  // the k-th loaded column's first; one more at the end
    RowNames rowNames;
};

// One column's coefficients, yielded as ColumnEntry values.
class ColumnEntries {
public:
    class Iterator {
    public:
        using iterator_category = std::forward_iterator_tag;
        using value_type = ColumnEntry;
        using difference_type = std::ptrdiff_t;
        using pointer = void;
        using reference = ColumnEntry;

        Iterator() = default;
        Iterator(const std::uint32_t* row, const double* value) : m_row(row), m_value(value) {}
        ColumnEntry operator*() const { return {*m_row, static_cast<float>(*m_value)}; }
        Iterator& operator++() {
            ++m_row;
            ++m_value;
            return *this;
        }
        Iterator operator++(int) {
            Iterator before = *this;
            ++*this;
            return before;
        }
        bool operator==(const Iterator& other) const { return m_row == other.m_row; }

    private:
        const std::uint32_t* m_row = nullptr;
        const double* m_value = nullptr;
    };

    ColumnEntries(const std::uint32_t* rows, const double* values, std::size_t count)
        : m_rows(rows), m_values(values), m_count(count) {}
    std::size_t size() const { return m_count; }
    bool empty() const { return m_count == 0; }
    ColumnEntry operator[](std::size_t i) const {
        return {m_rows[i], static_cast<float>(m_values[i])};
    }
    Iterator begin() const { return {m_rows, m_values}; }
    Iterator end() const { return {m_rows + m_count, m_values + m_count}; }

private:
    const std::uint32_t* m_rows;
    const double* m_values;
    std::size_t m_count;
};

// One matrix column: its name and where its coefficients lie, in the order the library
// delivered them, in the model's coefficient arrays (ModelCoefficients::of() yields them).
// The arrays are the model's, the same for every column, so a column does not point at them.
class CCol {
public:
    // With the name's length known, which name() then returns without measuring it: a large
    // row's entry list takes every column's name.
    CCol(std::string_view name, std::uint32_t first, std::uint32_t count)
        : m_name(name.data()),
          m_first(first),
          m_count(count),
          m_nameLength(static_cast<std::uint32_t>(name.size())) {}
    explicit CCol(const char* name) : m_name(name) {}

    std::string_view name() const {
        if (m_nameLength == kUnknownLength) return m_name;
        return {m_name, m_nameLength};
    }
    const char* cName() const { return m_name; }
    // Asks for the name's text early: names lie in load order, columns in name order.
    void fetchName() const { __builtin_prefetch(m_name); }
    std::size_t coefficientCount() const { return m_count; }
    // The position of the first coefficient in the model's coefficient arrays.
    std::uint32_t firstEntry() const { return m_first; }

private:
    static constexpr std::uint32_t kUnknownLength = 0xFFFFFFFFu;

    const char* m_name;  // NUL-terminated in any case
    std::uint32_t m_first = 0;
    std::uint32_t m_count = 0;
    std::uint32_t m_nameLength = kUnknownLength;
};

// A column is one of the model's records per column; it must not grow.
static_assert(sizeof(void*) != 8 || sizeof(CCol) == 24);
