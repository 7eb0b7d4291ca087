#include "PrimalColumnCursor.h"

#include <algorithm>

bool columnRecordsInNameOrder(const PrimalLists& primal) {
    const auto& records = primal.columns;
    return records.comparator() == &ComparePrimalCols &&
           std::is_sorted(records.begin(), records.end(),
                          [](const CPrimalCol& a, const CPrimalCol& b) { return a.Name < b.Name; });
}

PrimalColumnCursor::PrimalColumnCursor(const PrimalLists& primal)
    : m_primal(primal), m_sorted(columnRecordsInNameOrder(primal)) {}

const CPrimalCol* PrimalColumnCursor::find(std::string_view name) {
    const std::size_t count = m_primal.columns.size();
    if (count == 0) return nullptr;
    if (!m_sorted) return m_primal.FindPrimalColumn(name);
    // Searching on from m_next is only right while the names ascend.
    if (m_next > 0 && !(nameAt(m_next - 1) < name)) m_next = 0;
    // Most names of a dense row are the next record's or fall before it: one comparison.
    if (m_next < count) {
        const int order = nameAt(m_next).compare(name);
        if (order == 0) return &m_primal.columns[m_next];
        if (order > 0) return nullptr;
    }
    m_next = gallopFrom(m_next, name);
    if (m_next < count && nameAt(m_next) == name) return &m_primal.columns[m_next];
    return nullptr;
}

std::size_t PrimalColumnCursor::gallopFrom(std::size_t from, std::string_view name) const {
    const std::size_t count = m_primal.columns.size();
    // Steps of 1, 2, 4, ... until a name not below name, then a binary search in the last step.
    std::size_t low = from;
    std::size_t high = from;
    for (std::size_t step = 1; high < count && nameAt(high) < name; step *= 2) {
        low = high + 1;
        high += step;
    }
    high = std::min(high, count);
    const auto begin = m_primal.columns.begin();
    const auto found = std::lower_bound(
        begin + static_cast<std::ptrdiff_t>(low), begin + static_cast<std::ptrdiff_t>(high), name,
        [](const CPrimalCol& record, std::string_view key) { return record.Name < key; });
    return static_cast<std::size_t>(found - begin);
}
