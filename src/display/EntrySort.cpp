#include "EntrySort.h"

#include <algorithm>
#include <cstdint>
#include <utility>

namespace {

// The number an entry sorts by under keys 1 to 4, made so that larger sorts first: an
// ascending key is negated.
double descendingKey(const CNorvaRow& entry, int sortKey, bool rowDisplay) {
    switch (sortKey) {
        case 1:
            return entry.coefficient;
        case 2:
            return entry.counterpartValue;
        case 3:
            return entry.calculatedValue;
        default:
            return rowDisplay ? -static_cast<double>(entry.termNumber)
                              : -static_cast<double>(entry.linearityMark);
    }
}

void sortByName(std::vector<CNorvaRow>& entries) {
    const auto less = [](const CNorvaRow& a, const CNorvaRow& b) { return a.name < b.name; };
    if (std::is_sorted(entries.begin(), entries.end(), less)) return;
    std::stable_sort(entries.begin(), entries.end(), less);
}

// Sorts 16-byte (key, position) pairs rather than the entries, then moves each entry once.
void sortByNumber(std::vector<CNorvaRow>& entries, int sortKey, bool rowDisplay) {
    using Keyed = std::pair<double, std::uint32_t>;
    std::vector<Keyed> order(entries.size());
    for (std::size_t i = 0; i < entries.size(); ++i)
        order[i] = {descendingKey(entries[i], sortKey, rowDisplay), static_cast<std::uint32_t>(i)};
    const auto before = [](const Keyed& a, const Keyed& b) { return a.first > b.first; };
    // Row display often meets a key already in order (all term numbers 0, all marks "L").
    if (std::is_sorted(order.begin(), order.end(), before)) return;
    std::stable_sort(order.begin(), order.end(), before);
    std::vector<CNorvaRow> sorted;
    sorted.reserve(entries.size());
    for (const Keyed& keyed : order) sorted.push_back(entries[keyed.second]);
    entries = std::move(sorted);
}

}  // namespace

void sortEntries(std::vector<CNorvaRow>& entries, int sortKey, bool rowDisplay, bool inNameOrder) {
    // A stable sort keeps repeated pairs in the order the matrix holds them, so the same row
    // always lists the same way.
    if (sortKey == 0) {
        if (!inNameOrder) sortByName(entries);
        return;
    }
    if (sortKey >= 1 && sortKey <= 4) sortByNumber(entries, sortKey, rowDisplay);
}
