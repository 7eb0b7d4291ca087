#pragma once

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstring>
#include <utility>
#include <vector>

#include "CSortableTypedPtrArray.h"
#include "NameOrder.h"

// Puts records into byte-wise name order (within groups such as bound kinds) with the
// library's eight-bytes-at-a-time key sort. Records then move along the permutation's cycles,
// so the array is never copied; the keys take 16 bytes per record while sorting.
namespace nameorder {

using orbxmps::nameorder::Key;
using orbxmps::nameorder::prefixOf;

// Moves the record keys[i].index to position i for every i.
template <typename T>
void applyOrder(orbxmps::PodVector<Key>& keys, CTypedPtrArray<T>& records) {
    for (std::uint32_t start = 0; start < keys.size(); ++start) {
        if (keys[start].index == start) continue;
        const T held = records[start];
        std::uint32_t to = start;
        while (keys[to].index != start) {
            const std::uint32_t from = keys[to].index;
            records[to] = records[from];
            keys[to].index = to;
            to = from;
        }
        records[to] = held;
        keys[to].index = to;
    }
}

// Fills keys grouped by group(record) in ascending order, each group in record order, and
// returns where each group's keys begin (plus the end). Groups are small numbers (bound kinds).
template <typename T, typename Group>
std::vector<std::size_t> groupedKeys(const CTypedPtrArray<T>& records, Group group,
                                     orbxmps::PodVector<Key>& keys) {
    std::vector<std::size_t> starts(1, 0);
    for (std::size_t i = 0; i < records.size(); ++i) {
        const std::uint32_t g = group(records[i]);
        if (g + 2 > starts.size()) starts.resize(g + 2, 0);
        ++starts[g + 1];
    }
    for (std::size_t g = 1; g < starts.size(); ++g) starts[g] += starts[g - 1];
    std::vector<std::size_t> next(starts.begin(), starts.end() - 1);
    for (std::uint32_t i = 0; i < records.size(); ++i) {
        const std::uint32_t g = group(records[i]);
        keys[next[g]++] = {prefixOf(records[i].cName()), g, i};
    }
    return starts;
}

}  // namespace nameorder

// group(record) gives a small unsigned key that sorts before the name (a constant for plain
// name order). Records with equal group and name stay in their order. placeOfRecord, when
// given, receives for each record's old position its new one.
template <typename T, typename Group>
void sortByName(CTypedPtrArray<T>& records, Group group,
                std::vector<std::uint32_t>* placeOfRecord = nullptr) {
    orbxmps::PodVector<nameorder::Key> keys;
    keys.resize(records.size());
    const std::vector<std::size_t> starts = nameorder::groupedKeys(records, group, keys);
    orbxmps::PodVector<nameorder::Key> spare;
    for (std::size_t g = 0; g + 1 < starts.size(); ++g) {
        orbxmps::nameorder::sortFromDepth(
            keys.data() + starts[g], starts[g + 1] - starts[g], 0,
            [&records](std::uint32_t i) { return records[i].cName(); }, spare);
    }
    if (placeOfRecord != nullptr) {
        placeOfRecord->resize(keys.size());
        for (std::uint32_t place = 0; place < keys.size(); ++place)
            (*placeOfRecord)[keys[place].index] = place;
    }
    nameorder::applyOrder(keys, records);
}
