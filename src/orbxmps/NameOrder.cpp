#include "NameOrder.h"

#include <algorithm>
#include <bit>
#include <cstring>

namespace orbxmps {

PodVector<std::uint32_t> sortedNameOrder(const NameTable& names) {
    const std::size_t size = names.size();
    PodVector<nameorder::Key> keys;
    keys.resizeInLargePages(size);
    for (std::size_t i = 0; i < size; ++i)
        keys[i] = {nameorder::prefixOf(names.cName(i)), 0, static_cast<std::uint32_t>(i)};
    PodVector<nameorder::Key> spare;
    if (size >= nameorder::kRadixThreshold) spare.resizeInLargePages(size);
    nameorder::sortFromDepth(
        keys.data(), size, 0, [&names](std::uint32_t i) { return names.cName(i); }, spare);
    PodVector<std::uint32_t> order;
    order.resize(size);
    for (std::size_t i = 0; i < size; ++i) order[i] = keys[i].index;
    return order;
}

NameTable layOutInOrder(const NameTable& names, const PodVector<std::uint32_t>& order) {
    PodVector<char> characters;
    characters.reserve(names.characters().size());
    PodVector<NameOffset> offsets;
    offsets.resize(names.size());
    for (const std::uint32_t index : order) {
        offsets[index] = static_cast<NameOffset>(characters.size());
        characters.append(names.cName(index), names.name(index).size() + 1);
    }
    NameTable table;
    table.assign(std::move(characters), std::move(offsets), NameLayout::kNameOrder);
    return table;
}

namespace {

// Compares names by their characters, fetched ahead: the order visits them scattered over the
// table, a cache miss for each name's offset and another for its characters.
class NamesByCharacters {
public:
    explicit NamesByCharacters(const NameTable& names)
        : m_names(names),
          m_offsets(names.offsets().data()),
          m_characters(names.characters().data()) {}
    // The offset of the name kAhead steps on, the characters of the one half as far.
    [[gnu::always_inline]] void fetch(const PodVector<std::uint32_t>& order, std::size_t k) const {
        const std::size_t size = order.size();
        if (k + kAhead < size && order[k + kAhead] < size)
            __builtin_prefetch(m_offsets + order[k + kAhead]);
        if (k + kAhead / 2 < size && order[k + kAhead / 2] < size)
            __builtin_prefetch(m_characters + m_offsets[order[k + kAhead / 2]]);
    }
    int compare(std::uint32_t before, std::uint32_t index) const {
        return std::strcmp(m_names.cName(before), m_names.cName(index));
    }

private:
    static constexpr std::size_t kAhead = 16;
    const NameTable& m_names;
    const NameOffset* m_offsets;
    const char* m_characters;
};

std::string orderDamage(const NamesByCharacters& names, const PodVector<std::uint32_t>& order,
                        std::vector<std::uint32_t>& repeats) {
    const std::size_t size = order.size();
    std::vector<bool> seen(size, false);
    for (std::size_t k = 0; k < size; ++k) {
        names.fetch(order, k);
        const std::uint32_t index = order[k];
        if (index >= size || seen[index]) return "the name order lists a name twice or none";
        seen[index] = true;
        if (k == 0) continue;
        const std::uint32_t before = order[k - 1];
        const int c = names.compare(before, index);
        if (c > 0 || (c == 0 && before > index))
            return "the name order is not the names' order, at position " + std::to_string(k);
        if (c == 0) repeats.push_back(index);
    }
    std::sort(repeats.begin(), repeats.end());
    return {};
}

// Two names of known lengths as strcmp() orders them: bytes unsigned, a prefix first. Eight
// bytes at a time, where the two calls per name (and strlen()'s) took most of an ORB's check.
int compareNames(const char* a, std::size_t aLength, const char* b, std::size_t bLength) {
    const std::size_t common = std::min(aLength, bLength);
    std::size_t i = 0;
    for (; i + 8 <= common; i += 8) {
        std::uint64_t x;
        std::uint64_t y;
        std::memcpy(&x, a + i, 8);
        std::memcpy(&y, b + i, 8);
        if (x == y) continue;
        if constexpr (std::endian::native == std::endian::little) {
            x = __builtin_bswap64(x);
            y = __builtin_bswap64(y);
        }
        return x < y ? -1 : 1;
    }
    for (; i < common; ++i) {
        const auto x = static_cast<unsigned char>(a[i]);
        const auto y = static_cast<unsigned char>(b[i]);
        if (x != y) return x < y ? -1 : 1;
    }
    return aLength < bLength ? -1 : (aLength > bLength ? 1 : 0);
}

// Whether names laid out in their order are sound, their repeats found: each name takes the
// bytes up to where the next in the order starts, and they end in a NUL. Starts that rise
// through the block make the order list every name once; the block's one NUL a name (checked
// before) then leaves none inside a name, so the lengths are the names' and each comparison
// is strcmp()'s. On any fault the caller's walk finds it again, to name it as it always has.
bool laidOutInOrder(const NameTable& names, const PodVector<std::uint32_t>& order,
                    std::vector<std::uint32_t>& repeats) {
    constexpr std::size_t kAhead = 16;
    const std::size_t size = order.size();
    const NameOffset* offsets = names.offsets().data();
    const char* characters = names.characters().data();
    const std::size_t end = names.characters().size();
    if (size == 0) return true;
    if (order[0] >= size || offsets[order[0]] != 0) return false;
    std::size_t at = 0;
    const char* before = nullptr;
    std::size_t beforeLength = 0;
    for (std::size_t k = 0; k < size; ++k) {
        if (k + kAhead < size && order[k + kAhead] < size)
            __builtin_prefetch(offsets + order[k + kAhead]);
        std::size_t next = end;
        if (k + 1 < size) {
            if (order[k + 1] >= size) return false;
            next = offsets[order[k + 1]];
        }
        if (next <= at || next > end || characters[next - 1] != '\0') return false;
        const char* name = characters + at;
        const std::size_t length = next - at - 1;
        if (before != nullptr) {
            const int c = compareNames(before, beforeLength, name, length);
            if (c > 0 || (c == 0 && order[k - 1] > order[k])) return false;
            if (c == 0) repeats.push_back(order[k]);
        }
        before = name;
        beforeLength = length;
        at = next;
    }
    std::sort(repeats.begin(), repeats.end());
    return true;
}

// Names laid out in their order: each must start where the one before it in the order ends,
// which also makes the order list every name once; the characters are then read in sequence,
// and only the offsets are fetched ahead. The table's block ends in a NUL and holds one a name,
// so no name runs past it.
std::string laidOutOrderDamage(const NameTable& names, const PodVector<std::uint32_t>& order,
                               std::vector<std::uint32_t>& repeats) {
    if (laidOutInOrder(names, order, repeats)) return {};
    repeats.clear();
    constexpr std::size_t kAhead = 16;
    const std::size_t size = order.size();
    const NameOffset* offsets = names.offsets().data();
    const char* characters = names.characters().data();
    const std::size_t end = names.characters().size();
    std::size_t at = 0;
    const char* before = nullptr;
    for (std::size_t k = 0; k < size; ++k) {
        if (k + kAhead < size && order[k + kAhead] < size)
            __builtin_prefetch(offsets + order[k + kAhead]);
        const std::uint32_t index = order[k];
        if (index >= size) return "the name order lists a name twice or none";
        if (offsets[index] != at || at >= end)
            return "the names are not laid out in the name order, at position " + std::to_string(k);
        const char* name = characters + at;
        if (before != nullptr) {
            const int c = std::strcmp(before, name);
            if (c > 0 || (c == 0 && order[k - 1] > index))
                return "the name order is not the names' order, at position " + std::to_string(k);
            if (c == 0) repeats.push_back(index);
        }
        before = name;
        at += std::strlen(name) + 1;
    }
    std::sort(repeats.begin(), repeats.end());
    return {};
}

}  // namespace

std::string nameOrderDamage(const NameTable& names, const PodVector<std::uint32_t>& order,
                            std::vector<std::uint32_t>& repeats) {
    if (order.size() != names.size()) return "the name order does not list every name";
    if (names.layout() == NameLayout::kNameOrder) return laidOutOrderDamage(names, order, repeats);
    return orderDamage(NamesByCharacters(names), order, repeats);
}

}  // namespace orbxmps
