#include "EntrySort.h"

#include <algorithm>
#include <bit>
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

// A key whose unsigned order is the descending order of value, equal values (0 and -0
// among them) equal.
std::uint64_t radixKey(double value) {
    if (value == 0) value = 0;
    const auto bits = std::bit_cast<std::uint64_t>(value);
    const std::uint64_t ascending = (bits >> 63) != 0 ? ~bits : bits | (1ull << 63);
    return ~ascending;
}

// A stable least-significant-digit radix sort of (key, position) pairs, 11 bits a pass. It
// skips digits that all keys share, as the low mantissa bits of float values do, and so
// orders a densest row in a few passes where a comparison sort takes many.
void radixSort(std::vector<std::pair<std::uint64_t, std::uint32_t>>& keyed) {
    constexpr int kBits = 11;
    constexpr std::size_t kBuckets = std::size_t{1} << kBits;
    std::vector<std::pair<std::uint64_t, std::uint32_t>> spare(keyed.size());
    std::vector<std::size_t> counts(kBuckets);
    for (int shift = 0; shift < 64; shift += kBits) {
        std::fill(counts.begin(), counts.end(), 0);
        for (const auto& item : keyed) ++counts[(item.first >> shift) & (kBuckets - 1)];
        if (counts[(keyed.front().first >> shift) & (kBuckets - 1)] == keyed.size()) continue;
        std::size_t start = 0;
        for (std::size_t& count : counts) start += std::exchange(count, start);
        for (const auto& item : keyed)
            spare[counts[(item.first >> shift) & (kBuckets - 1)]++] = item;
        keyed.swap(spare);
    }
}

// Gathers the entries in their new order. The reads are scattered over the whole row, so
// each is asked for a few entries ahead, letting the memory fetch them side by side.
void placeInOrder(std::vector<CNorvaRow>& entries,
                  const std::vector<std::pair<std::uint64_t, std::uint32_t>>& order) {
    constexpr std::size_t kAhead = 16;
    std::vector<CNorvaRow> sorted;
    sorted.reserve(entries.size());
    for (std::size_t i = 0; i < order.size(); ++i) {
        if (i + kAhead < order.size()) __builtin_prefetch(&entries[order[i + kAhead].second]);
        sorted.push_back(entries[order[i].second]);
    }
    entries = std::move(sorted);
}

// Sorts (key, position) pairs rather than the entries, then moves each entry once.
void sortByNumber(std::vector<CNorvaRow>& entries, int sortKey, bool rowDisplay) {
    if (entries.size() < 2) return;
    std::vector<std::pair<std::uint64_t, std::uint32_t>> keyed(entries.size());
    for (std::size_t i = 0; i < entries.size(); ++i)
        keyed[i] = {radixKey(descendingKey(entries[i], sortKey, rowDisplay)),
                    static_cast<std::uint32_t>(i)};
    // Row display often meets a key already in order (all term numbers 0, all marks "L").
    const auto before = [](const auto& a, const auto& b) { return a.first < b.first; };
    if (std::is_sorted(keyed.begin(), keyed.end(), before)) return;
    radixSort(keyed);
    placeInOrder(entries, keyed);
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
