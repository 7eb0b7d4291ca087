#include "NonlinearTermStore.h"

namespace orbxmps {

void NonlinearTermStore::buildRowIndex(std::size_t rowCount) {
    rowStart.clear();
    byRow.clear();
    if (terms.empty()) return;
    rowStart.resize(rowCount + 1);
    for (const NonlinearTerm& t : terms) ++rowStart[t.row + 1];
    for (std::size_t r = 0; r < rowCount; ++r) rowStart[r + 1] += rowStart[r];
    byRow.resize(terms.size());
    PodVector<std::uint32_t> next;
    next.append(rowStart.data(), rowCount);
    for (std::uint32_t t = 0; t < terms.size(); ++t) byRow[next[terms[t].row]++] = t;
}

void NonlinearTermStore::clear() {
    terms.clear();
    value.clear();
    rowStart.clear();
    byRow.clear();
}

}  // namespace orbxmps
