#pragma once

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstring>
#include <utility>
#include <vector>

#include "CSortableTypedPtrArray.h"
#include "HugePages.h"

// Puts records into byte-wise name order (within groups such as bound kinds) without a string
// comparison: names are compared eight bytes at a time, read big-endian into an integer, and
// the keys are radix-sorted. Runs of names sharing all eight bytes are sorted again by the next
// eight, and so on, so long common prefixes (PRO_CR000123) cost a pass per eight bytes rather
// than a string comparison per step. Records then move along the permutation's cycles, so the
// array is never copied; the keys take 16 bytes per record while sorting. The order equals
// strcmp's (unsigned bytes); records with equal names keep their order.
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

// Below this many keys a comparison sort beats the radix passes.
constexpr std::size_t kRadixThreshold = 1024;

// Stable sort of keys by prefix: one counting pass for all eight byte digits, then a scatter
// per digit that is not the same in every key (names share leading bytes, and digits take only
// ten values of a byte).
inline void radixSortByPrefix(Key* keys, std::size_t size, std::vector<Key>& spare) {
    std::vector<std::array<std::size_t, 256>> counts(8);
    for (auto& digit : counts) digit.fill(0);
    for (std::size_t i = 0; i < size; ++i)
        for (int d = 0; d < 8; ++d) ++counts[d][(keys[i].prefix >> (8 * d)) & 0xFF];
    spare.resize(size);
    Key* from = keys;
    Key* to = spare.data();
    for (int d = 0; d < 8; ++d) {
        auto& count = counts[d];
        if (count[(keys[0].prefix >> (8 * d)) & 0xFF] == size) continue;
        std::size_t at = 0;
        for (std::size_t& c : count) at += std::exchange(c, at);
        for (std::size_t i = 0; i < size; ++i) to[count[(from[i].prefix >> (8 * d)) & 0xFF]++] = from[i];
        std::swap(from, to);
    }
    if (from != keys) std::copy(from, from + size, keys);
}

inline void sortByPrefix(Key* keys, std::size_t size, std::vector<Key>& spare) {
    const auto less = [](const Key& a, const Key& b) {
        return a.prefix != b.prefix ? a.prefix < b.prefix : a.index < b.index;
    };
    // Names often arrive in order already; checking first saves the sort.
    if (std::is_sorted(keys, keys + size, less)) return;
    if (size < kRadixThreshold)
        std::sort(keys, keys + size, less);
    else
        radixSortByPrefix(keys, size, spare);
}

// Sorts keys (one group, indexes ascending) by the names from byte depth on. A prefix whose
// last byte is not zero leaves the name going on, so each run of such equal prefixes is sorted
// by the next eight bytes; a prefix ending in zero holds the rest of the name, so its run
// holds equal names and stays in index order.
template <typename T>
void sortFromDepth(Key* keys, std::size_t size, std::size_t depth, const CTypedPtrArray<T>& records,
                   std::vector<Key>& spare) {
    sortByPrefix(keys, size, spare);
    for (std::size_t begin = 0; begin < size;) {
        std::size_t end = begin + 1;
        while (end < size && keys[end].prefix == keys[begin].prefix) ++end;
        if (end - begin > 1 && (keys[begin].prefix & 0xFF) != 0) {
            for (std::size_t i = begin; i < end; ++i)
                keys[i].prefix = prefixOf(records[keys[i].index].cName() + depth + 8);
            sortFromDepth(keys + begin, end - begin, depth + 8, records, spare);
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
// name order). Records with equal group and name stay in their order.
template <typename T, typename Group>
void sortByName(CTypedPtrArray<T>& records, Group group) {
    std::vector<nameorder::Key> keys;
    keys.reserve(records.size());
    orbxmps::adviseHugePages(keys.data(), keys.capacity() * sizeof(nameorder::Key));
    keys.resize(records.size());
    const std::vector<std::size_t> starts = nameorder::groupedKeys(records, group, keys);
    std::vector<nameorder::Key> spare;
    for (std::size_t g = 0; g + 1 < starts.size(); ++g) {
        nameorder::sortFromDepth(keys.data() + starts[g], starts[g + 1] - starts[g], 0, records,
                                 spare);
    }
    nameorder::applyOrder(keys, records);
}
