#pragma once

#include <cstddef>
#include <cstdint>
#include <deque>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

// A row of the submatrix: name, type letter ('E', 'L', 'G' or 'N') and its right-hand side.
// Each row carries its one RHS entry, so rows and right-hand sides stay in step.
struct SubmatrixRow {
    std::string name;
    char type = 'N';
    float rhs = 0.0f;
};

// A coefficient of a submatrix column: the row by its position in Submatrix::row().
struct SubmatrixEntry {
    std::uint32_t row;
    float value;
};

struct SubmatrixColumn {
    std::string name;
    std::vector<SubmatrixEntry> entries;  // in the order added
};

// The submatrix grid's own data: rows unique by name in the order added, columns unique by
// name and seen in name order (case-sensitive byte order), each with its coefficients. It
// owns copies of its names, so it outlives the model it was built from. Lookups by name are
// hashed, and the name order of the columns is restored lazily, so adding thousands of rows
// and columns costs no more than the coefficients added.
class Submatrix {
public:
    void clear();
    bool empty() const { return m_rows.empty() && m_columns.empty(); }

    std::optional<std::uint32_t> findRow(std::string_view name) const;
    // Appends the row unless one of that name is present (which then stays as it was);
    // returns the row's position.
    std::uint32_t addRow(std::string_view name, char type, float rhs);
    // Appends (row, value) to the column named column, adding the column when absent.
    void addCoefficient(std::string_view column, std::uint32_t row, float value);

    std::size_t rowCount() const { return m_rows.size(); }
    const SubmatrixRow& row(std::size_t position) const { return m_rows[position]; }
    std::size_t columnCount() const { return m_columns.size(); }
    // The column at index in name order.
    const SubmatrixColumn& column(std::size_t index) const;

private:
    void sortColumns() const;

    std::deque<SubmatrixRow> m_rows;  // a deque keeps the names the maps point into in place
    std::unordered_map<std::string_view, std::uint32_t> m_rowByName;
    std::deque<SubmatrixColumn> m_columns;  // in the order added
    std::unordered_map<std::string_view, std::uint32_t> m_columnByName;
    mutable std::vector<std::uint32_t> m_columnOrder;  // positions in name order
    mutable bool m_columnsSorted = true;
};
