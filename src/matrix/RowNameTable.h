#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "NameTable.h"

// Row names by position, as the matrix library keeps its own: one block of NUL-terminated
// characters and each name's offset in it, four bytes a row where a pointer took eight. Cheap
// to copy; valid while the table it came from lives.
struct RowNames {
    const char* characters = nullptr;
    const orbxmps::NameOffset* offsets = nullptr;
    const char* operator[](std::size_t position) const { return characters + offsets[position]; }
};

// Row names in load order; a ColumnEntry's row indexes this table. A loaded matrix lends its
// library's names (the model keeps their owner alive); a loader that names rows itself gives
// them all at once, so that the names never move once handed out.
class RowNameTable {
public:
    RowNameTable() = default;
    RowNameTable(const RowNameTable&) = delete;
    RowNameTable& operator=(const RowNameTable&) = delete;
    // The names keep their place: the own block moves with its heap memory.
    RowNameTable(RowNameTable&& other) noexcept { *this = std::move(other); }
    RowNameTable& operator=(RowNameTable&& other) noexcept {
        m_names = std::exchange(other.m_names, {});
        m_size = std::exchange(other.m_size, 0);
        m_own = std::move(other.m_own);
        return *this;
    }

    std::size_t size() const { return m_size; }
    bool empty() const { return m_size == 0; }
    const char* operator[](std::size_t position) const { return m_names[position]; }
    RowNames names() const { return m_names; }

    void borrow(const char* characters, const orbxmps::NameOffset* offsets, std::size_t count);
    // Copies the names into the table's own; throws std::length_error past 4 GiB.
    void assign(const std::vector<std::string>& names);
    void clear();

private:
    RowNames m_names;
    std::size_t m_size = 0;
    orbxmps::NameTable m_own;  // a loader's own names; empty when borrowed
};
