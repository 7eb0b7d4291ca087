#include "EntrySort.h"

#include <algorithm>

void sortEntries(std::vector<CNorvaRow>& entries, int sortKey, bool rowDisplay) {
    // A stable sort keeps repeated pairs in the order the matrix holds them, so the same row
    // always lists the same way.
    const auto sortBy = [&entries](auto less) {
        // Row display meets its columns in name order, so key 0 usually finds them sorted.
        if (std::is_sorted(entries.begin(), entries.end(), less)) return;
        std::stable_sort(entries.begin(), entries.end(), less);
    };
    switch (sortKey) {
        case 0:
            sortBy([](const CNorvaRow& a, const CNorvaRow& b) { return a.name < b.name; });
            return;
        case 1:
            sortBy([](const CNorvaRow& a, const CNorvaRow& b) {
                return a.coefficient > b.coefficient;
            });
            return;
        case 2:
            sortBy([](const CNorvaRow& a, const CNorvaRow& b) {
                return a.counterpartValue > b.counterpartValue;
            });
            return;
        case 3:
            sortBy([](const CNorvaRow& a, const CNorvaRow& b) {
                return a.calculatedValue > b.calculatedValue;
            });
            return;
        case 4:
            if (rowDisplay)
                sortBy([](const CNorvaRow& a, const CNorvaRow& b) {
                    return a.termNumber < b.termNumber;
                });
            else
                sortBy([](const CNorvaRow& a, const CNorvaRow& b) {
                    return a.linearityMark < b.linearityMark;
                });
            return;
        default:
            return;
    }
}
