#pragma once

#include <cstdint>
#include <string_view>

#include "CPrimalCol.h"
#include "CPrimalRow.h"
#include "CSortableTypedPtrArray.h"

// The document's two solution lists. Each loader clears its list first, so a load replaces
// and never merges; the lists are sorted once at the end of a document load.
struct PrimalLists {
    CSortableTypedPtrArray<CPrimalRow> rows;
    CSortableTypedPtrArray<CPrimalCol> columns;

    void ClearPrimalRows();
    void ClearPrimalColumns();
    void AddPrimalRow(CPrimalRow record);
    void AddPrimalColumn(CPrimalCol record);
    void SortPrimalLists();
    // Exact, case-sensitive lookup; null when absent or the list is empty.
    const CPrimalRow* FindPrimalRow(std::string_view name) const;
    const CPrimalCol* FindPrimalColumn(std::string_view name) const;
    // Changes whenever the column records are cleared, added to or sorted, so that what is
    // derived from their positions can tell it is stale. Never repeats within a run.
    std::uint64_t columnsVersion() const { return m_columnsVersion; }

private:
    std::uint64_t m_columnsVersion = 0;
};

int ComparePrimalRows(const CPrimalRow& a, const CPrimalRow& b);
int ComparePrimalCols(const CPrimalCol& a, const CPrimalCol& b);

// Status code of a two-character status text from a results source ("FR" 2 ... "++" 8, else 1).
int StatusCodeOfText(std::string_view text);
