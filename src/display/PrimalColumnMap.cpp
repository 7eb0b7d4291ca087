#include "PrimalColumnMap.h"

#include <algorithm>
#include <string_view>

#include "ParallelWork.h"
#include "PrimalColumnCursor.h"

namespace {

// Columns whose names are fetched ahead of the walk.
constexpr std::size_t kFetchAhead = 16;

}  // namespace

PrimalColumnMap::PrimalColumnMap(const MatrixModel& model, const PrimalLists& primal,
                                 std::size_t halvesFrom)
    : m_primal(&primal), m_version(primal.columnsVersion()), m_recordCount(primal.columns.size()) {
    // The lookup finds nothing in an empty list or one never sorted.
    if (primal.columns.empty() || primal.columns.comparator() == nullptr) return;
    m_record.assign(model.columns.size(), kNone);
    m_activity.assign(model.columns.size(), 0.0f);
    m_known.assign(model.columns.size(), 0);
    const bool inNameOrder = columnRecordsInNameOrder(primal);
    // Each half writes its own slots.
    orbxmps::runInHalves(model.columns.size(), halvesFrom, [&](std::size_t from, std::size_t to) {
        mapColumns(model, primal, inNameOrder, from, to);
    });
}

void PrimalColumnMap::mapColumns(const MatrixModel& model, const PrimalLists& primal,
                                 bool inNameOrder, std::size_t from, std::size_t to) {
    if (inNameOrder)
        mergeSorted(model, primal, from, to);
    else
        lookUpEach(model, primal, from, to);
    for (std::size_t c = from; c < to; ++c) {
        if (m_record[c] == kNone) continue;
        m_known[c] = 1;
        m_activity[c] = primal.columns[m_record[c]].Activity;
    }
}

bool PrimalColumnMap::answersFor(const PrimalLists& primal) const {
    return m_primal == &primal && m_version == primal.columnsVersion() &&
           m_recordCount == primal.columns.size();
}

// Walks the columns and the records side by side: columns come by name, so the first record
// not below a column's name moves only forward. A column out of name order starts that search
// again from a binary search.
void PrimalColumnMap::mergeSorted(const MatrixModel& model, const PrimalLists& primal,
                                  std::size_t from, std::size_t to) {
    const auto& records = primal.columns;
    const std::size_t count = records.size();
    const auto below = [](const CPrimalCol& record, std::string_view name) {
        return record.Name < name;
    };
    std::size_t next = 0;
    std::string_view previous;
    if (from > 0) {
        previous = model.columns[from].name();
        next = static_cast<std::size_t>(
            std::lower_bound(records.begin(), records.end(), previous, below) - records.begin());
    }
    for (std::size_t c = from; c < to; ++c) {
        if (c + kFetchAhead < to) model.columns[c + kFetchAhead].fetchName();
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
            if (order == 0) m_record[c] = static_cast<std::uint32_t>(next);
            break;
        }
    }
}

// Records out of name order (or sorted with another comparator): only the lookup itself
// tells what it answers.
void PrimalColumnMap::lookUpEach(const MatrixModel& model, const PrimalLists& primal,
                                 std::size_t from, std::size_t to) {
    const CPrimalCol* first = &primal.columns[0];
    for (std::size_t c = from; c < to; ++c) {
        if (c + kFetchAhead < to) model.columns[c + kFetchAhead].fetchName();
        if (const CPrimalCol* record = primal.FindPrimalColumn(model.columns[c].name()))
            m_record[c] = static_cast<std::uint32_t>(record - first);
    }
}
