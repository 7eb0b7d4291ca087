#pragma once

#include <algorithm>
#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "NameTable.h"
#include "PodVector.h"

// Byte-wise name order (strcmp's, unsigned bytes) without a string comparison: names are
// compared eight bytes at a time, read big-endian into an integer, and the keys are
// radix-sorted. Runs of names sharing all eight bytes are sorted again by the next eight, so
// long common prefixes (PRO_CR000123) cost a pass per eight bytes rather than a string
// comparison per step. Equal names keep their order.
namespace orbxmps::nameorder {

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
inline constexpr std::size_t kRadixThreshold = 1024;

// Stable sort of keys by prefix: one counting pass for all eight byte digits, then a scatter
// per digit that is not the same in every key (names share leading bytes, and digits take only
// ten values of a byte).
inline void radixSortByPrefix(Key* keys, std::size_t size, PodVector<Key>& spare) {
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
        for (std::size_t i = 0; i < size; ++i)
            to[count[(from[i].prefix >> (8 * d)) & 0xFF]++] = from[i];
        std::swap(from, to);
    }
    if (from != keys) std::copy(from, from + size, keys);
}

inline void sortByPrefix(Key* keys, std::size_t size, PodVector<Key>& spare) {
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

// Sorts keys (indexes ascending, prefixes taken at byte depth) by the names from byte depth
// on; nameOf(index) gives a NUL-terminated name. A prefix whose last byte is not zero leaves
// the name going on, so each run of such equal prefixes is sorted by the next eight bytes; a
// prefix ending in zero holds the rest of the name, so its run holds equal names and stays in
// index order.
template <typename NameOf>
void sortFromDepth(Key* keys, std::size_t size, std::size_t depth, const NameOf& nameOf,
                   PodVector<Key>& spare) {
    sortByPrefix(keys, size, spare);
    for (std::size_t begin = 0; begin < size;) {
        std::size_t end = begin + 1;
        while (end < size && keys[end].prefix == keys[begin].prefix) ++end;
        if (end - begin > 1 && (keys[begin].prefix & 0xFF) != 0) {
            for (std::size_t i = begin; i < end; ++i)
                keys[i].prefix = prefixOf(nameOf(keys[i].index) + depth + 8);
            sortFromDepth(keys + begin, end - begin, depth + 8, nameOf, spare);
        }
        begin = end;
    }
}

}  // namespace orbxmps::nameorder

namespace orbxmps {

// The indexes of a table's names in byte-wise name order, equal names in index order.
PodVector<std::uint32_t> sortedNameOrder(const NameTable& names);

// The same names, laid out back to back in order (which lists every index once): each
// position's offset is where its name now starts, as an ORB file holds them.
NameTable layOutInOrder(const NameTable& names, const PodVector<std::uint32_t>& order);

// The names in an order's sequence. Laid out in that order (as an ORB file holds them, the
// load having checked it), a name ends where the next one starts, which spares searching each
// for its end.
class NamesInOrder {
public:
    NamesInOrder(const NameTable& names, const PodVector<std::uint32_t>& order)
        : m_names(names),
          m_order(order),
          m_laidOut(names.layout() == NameLayout::kNameOrder),
          m_characters(names.characters().data()),
          m_end(names.characters().size()),
          m_offsets(names.offsets().data()) {}
    // The name at position k of the order, whose own position the caller has checked.
    std::string_view name(std::size_t k) const {
        const std::uint32_t position = m_order[k];
        if (!m_laidOut) return m_names.name(position);
        const std::size_t begin = m_offsets[position];
        std::size_t end = m_end;
        if (k + 1 < m_order.size()) {
            if (m_order[k + 1] >= m_names.size()) return m_names.name(position);
            end = m_offsets[m_order[k + 1]];
        }
        if (end <= begin || end > m_end) return m_names.name(position);
        return {m_characters + begin, end - begin - 1};
    }

private:
    const NameTable& m_names;
    const PodVector<std::uint32_t>& m_order;
    bool m_laidOut;
    const char* m_characters;
    std::size_t m_end;
    const NameOffset* m_offsets;
};

// Checks that order holds every index of names once, in the order sortedNameOrder() gives,
// and collects the indexes of names that repeat an earlier one, ascending. Returns what is
// wrong, or an empty text. One pass over the names, in the order's sequence; names laid out
// in name order must also lie back to back in it. Their block must be sound as an ORB file's
// is checked first: every offset inside it, a NUL at its end and one NUL a name.
std::string nameOrderDamage(const NameTable& names, const PodVector<std::uint32_t>& order,
                            std::vector<std::uint32_t>& repeats);

}  // namespace orbxmps
