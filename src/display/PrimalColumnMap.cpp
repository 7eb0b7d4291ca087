#include "PrimalColumnMap.h"

#include <algorithm>
#include <string_view>

#include "PrimalColumnCursor.h"

PrimalColumnMap::PrimalColumnMap(const MatrixModel& model, const PrimalLists& primal)
    : m_primal(&primal), m_version(primal.columnsVersion()), m_recordCount(primal.columns.size()) {
    // The lookup finds nothing in an empty list or one never sorted.
    if (primal.columns.empty() || primal.columns.comparator() == nullptr) return;
    m_slot.assign(model.columns.size(), Slot());
    if (columnRecordsInNameOrder(primal))
        mergeSorted(model, primal);
    else
        lookUpEach(model, primal);
    for (Slot& slot : m_slot)
        if (slot.record != kNone) slot.activity = primal.columns[slot.record].Activity;
}

bool PrimalColumnMap::answersFor(const PrimalLists& primal) const {
    return m_primal == &primal && m_version == primal.columnsVersion() &&
           m_recordCount == primal.columns.size();
}

// Walks the columns and the records side by side: columns come by name, so the first record
// not below a column's name moves only forward. A column out of name order starts that search
// again from a binary search.
void PrimalColumnMap::mergeSorted(const MatrixModel& model, const PrimalLists& primal) {
    const auto& records = primal.columns;
    const std::size_t count = records.size();
    const auto below = [](const CPrimalCol& record, std::string_view name) {
        return record.Name < name;
    };
    std::size_t next = 0;
    std::string_view previous;
    for (std::size_t c = 0; c < model.columns.size(); ++c) {
        const std::string_view name = model.columns[c].name();
        if (name < previous)
            next = static_cast<std::size_t>(
                std::lower_bound(records.begin(), records.end(), name, below) - records.begin());
        previous = name;
        while (next < count) {
            const int order = records[next].Name.compare(name);
            if (order < 0) {
                ++next;
                continue;
            }
            if (order == 0) m_slot[c].record = static_cast<std::uint32_t>(next);
            break;
        }
    }
}

// Records out of name order (or sorted with another comparator): only the lookup itself
// tells what it answers.
void PrimalColumnMap::lookUpEach(const MatrixModel& model, const PrimalLists& primal) {
    const CPrimalCol* first = &primal.columns[0];
    for (std::size_t c = 0; c < model.columns.size(); ++c)
        if (const CPrimalCol* record = primal.FindPrimalColumn(model.columns[c].name()))
            m_slot[c].record = static_cast<std::uint32_t>(record - first);
}
