#pragma once

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <vector>

#include "CSortableTypedPtrArray.h"
#include "HugePages.h"

// Puts records into byte-wise name order (within groups such as bound kinds) without a string
// comparison per step: the first eight bytes of each name, read big-endian into an integer,
// decide almost every comparison, and only names sharing all eight compare their remainders.
// Records then move along the permutation's cycles, so the array is never copied; the keys
// take 16 bytes per record while sorting. The order equals strcmp's (unsigned bytes).
namespace nameorder {

struct Key {
    std::uint64_t prefix;
    std::uint32_t group;
    std::uint32_t index;
};

inline std::uint64_t prefixOf(const char* name) {
    std::uint64_t prefix = 0;
    int length = 0;
    for (; length < 8 && name[length] != '\0'; ++length)
        prefix = (prefix << 8) | static_cast<unsigned char>(name[length]);
    return length == 0 ? 0 : prefix << (8 * (8 - length));
}

inline bool keyLess(const Key& a, const Key& b) {
    return a.group != b.group ? a.group < b.group : a.prefix < b.prefix;
}

// Orders each run of equal keys by the rest of the names. A prefix whose last byte is zero
// holds a whole name, so its run holds equal names and needs nothing.
template <typename T>
void orderTies(std::vector<Key>& keys, const CTypedPtrArray<T>& records) {
    for (std::size_t begin = 0; begin < keys.size();) {
        std::size_t end = begin + 1;
        while (end < keys.size() && !keyLess(keys[begin], keys[end])) ++end;
        if (end - begin > 1 && (keys[begin].prefix & 0xFF) != 0) {
            std::sort(
                keys.begin() + begin, keys.begin() + end, [&records](const Key& a, const Key& b) {
                    return std::strcmp(records[a.index].cName() + 8, records[b.index].cName() + 8) <
                           0;
                });
        }
        begin = end;
    }
}

// Moves the record keys[i].index to position i for every i.
template <typename T>
void applyOrder(std::vector<Key>& keys, CTypedPtrArray<T>& records) {
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
                                     std::vector<Key>& keys) {
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
// name order). Records with equal group and name end up next to each other in no fixed order.
template <typename T, typename Group>
void sortByName(CTypedPtrArray<T>& records, Group group) {
    std::vector<nameorder::Key> keys;
    keys.reserve(records.size());
    orbxmps::adviseHugePages(keys.data(), keys.capacity() * sizeof(nameorder::Key));
    keys.resize(records.size());
    const std::vector<std::size_t> starts = nameorder::groupedKeys(records, group, keys);
    for (std::size_t g = 0; g + 1 < starts.size(); ++g) {
        // Names often arrive in order already; checking first saves the sort.
        const auto begin = keys.begin() + static_cast<std::ptrdiff_t>(starts[g]);
        const auto end = keys.begin() + static_cast<std::ptrdiff_t>(starts[g + 1]);
        if (!std::is_sorted(begin, end, nameorder::keyLess))
            std::sort(begin, end, nameorder::keyLess);
    }
    nameorder::orderTies(keys, records);
    nameorder::applyOrder(keys, records);
}
