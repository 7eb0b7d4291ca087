#pragma once

#include <cstddef>
#include <string_view>

#include "PrimalLists.h"

// Finds columns' solution records for names asked in ascending order, as row display asks
// for the densest rows' hundreds of thousands of columns: each search gallops forward from
// where the last one ended, so a whole row costs about one pass over the list rather than a
// binary search per name. Answers exactly as PrimalLists::FindPrimalColumn: the first record
// of the name, or null. A name that comes before the last one only costs a search from the
// start; a list not in name order falls back to FindPrimalColumn. Making one checks that
// order, a pass over the list.
class PrimalColumnCursor {
public:
    explicit PrimalColumnCursor(const PrimalLists& primal);

    const CPrimalCol* find(std::string_view name);

private:
    // The first position at or after from whose name is not below name.
    std::size_t gallopFrom(std::size_t from, std::string_view name) const;
    std::string_view nameAt(std::size_t position) const { return m_primal.columns[position].Name; }

    const PrimalLists& m_primal;
    bool m_sorted;
    std::size_t m_next = 0;  // every record before it is named below the last name asked
};

// Whether the column records are sorted by name with the lookup's comparator and still in
// that order: a list sorted once and added to since keeps its comparator but not its order,
// and there only the lookup itself says which record its binary search meets.
bool columnRecordsInNameOrder(const PrimalLists& primal);
