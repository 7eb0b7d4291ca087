#pragma once

#include <cstdint>
#include <span>
#include <string_view>

#include "CRowValue.h"

// A coefficient as the model stores it: the row by its position in the model's row-name
// table (load order), and the value as a 32-bit float. Eight bytes per non-zero.
struct ColumnEntry {
    std::uint32_t row;
    float value;
};

// One matrix column: its name and its coefficients in the order the library delivered them.
// The coefficients live in the model's coefficient block; the column is a view of its part.
class CCol {
public:
    CCol(const char* name, const ColumnEntry* entries, std::uint32_t count,
         const char* const* rowNames)
        : m_name(name), m_entries(entries), m_rowNames(rowNames), m_count(count) {}
    // With the name's length known, which name() then returns without measuring it: a large
    // row's entry list takes every column's name.
    CCol(std::string_view name, const ColumnEntry* entries, std::uint32_t count,
         const char* const* rowNames)
        : m_name(name.data()),
          m_entries(entries),
          m_rowNames(rowNames),
          m_count(count),
          m_nameLength(static_cast<std::uint32_t>(name.size())) {}
    explicit CCol(const char* name) : m_name(name) {}

    std::string_view name() const {
        if (m_nameLength == kUnknownLength) return m_name;
        return {m_name, m_nameLength};
    }
    const char* cName() const { return m_name; }
    std::size_t coefficientCount() const { return m_count; }
    // The i-th coefficient, named by its row; i below coefficientCount().
    CRowValue coefficient(std::size_t i) const {
        return {m_rowNames[m_entries[i].row], m_entries[i].value};
    }
    // The coefficients as stored, rows by their position in the model's row-name table.
    std::span<const ColumnEntry> entries() const { return {m_entries, m_count}; }

private:
    static constexpr std::uint32_t kUnknownLength = 0xFFFFFFFFu;

    const char* m_name;  // NUL-terminated in any case
    const ColumnEntry* m_entries = nullptr;
    const char* const* m_rowNames = nullptr;
    std::uint32_t m_count = 0;
    std::uint32_t m_nameLength = kUnknownLength;  // fills what was padding
};

// A column is one of the model's records per column; the length must not make it larger.
static_assert(sizeof(void*) != 8 || sizeof(CCol) == 32);
