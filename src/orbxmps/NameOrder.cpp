#include "NameOrder.h"

#include <cstring>

namespace orbxmps {

PodVector<std::uint32_t> sortedNameOrder(const NameTable& names) {
    const std::size_t size = names.size();
    PodVector<nameorder::Key> keys;
    keys.resize(size);
    for (std::size_t i = 0; i < size; ++i)
        keys[i] = {nameorder::prefixOf(names.cName(i)), 0, static_cast<std::uint32_t>(i)};
    PodVector<nameorder::Key> spare;
    nameorder::sortFromDepth(
        keys.data(), size, 0, [&names](std::uint32_t i) { return names.cName(i); }, spare);
    PodVector<std::uint32_t> order;
    order.resize(size);
    for (std::size_t i = 0; i < size; ++i) order[i] = keys[i].index;
    return order;
}

namespace {

// A name's first 16 bytes, zero after its end, as two big-endian words: comparing two keys
// compares the names as strcmp() does, up to their 16th byte.
struct NameKey {
    std::uint64_t high;
    std::uint64_t low;

    // The names compare as their keys unless both reach the 16th byte.
    bool whole() const { return (low & 0xFF) == 0; }
    int compare(const NameKey& other) const {
        if (high != other.high) return high < other.high ? -1 : 1;
        if (low != other.low) return low < other.low ? -1 : 1;
        return 0;
    }
};

std::uint64_t bigEndianWord(const char* bytes) {
    std::uint64_t word;
    std::memcpy(&word, bytes, sizeof word);
    return __builtin_bswap64(word);
}

// The key of a name of the given length with 16 bytes readable from its start: two word loads,
// the bytes past its end cleared.
NameKey keyOfPadded(const char* name, std::size_t length) {
    const auto kept = [](std::uint64_t word, std::size_t bytes) {
        return bytes >= 8 ? word : bytes == 0 ? 0 : word & ~(~std::uint64_t{0} >> (8 * bytes));
    };
    return {kept(bigEndianWord(name), length),
            length > 8 ? kept(bigEndianWord(name + 8), length - 8) : 0};
}

// In the table's order, which reads the names in sequence.
PodVector<NameKey> nameKeys(const NameTable& names) {
    PodVector<NameKey> keys;
    NameKey* out = keys.appendUninitialised(names.size());
    const char* characters = names.characters().data();
    const NameOffset* offsets = names.offsets().data();
    const std::size_t end = names.characters().size();
    for (std::size_t i = 0; i < names.size(); ++i) {
        const char* name = characters + offsets[i];
        const std::size_t next = i + 1 < names.size() ? offsets[i + 1] : end;
        if (offsets[i] + 16 <= end) {
            out[i] = keyOfPadded(name, next - offsets[i] - 1);
        } else {
            const std::uint64_t high = nameorder::prefixOf(name);
            out[i] = {high, (high & 0xFF) != 0 ? nameorder::prefixOf(name + 8) : 0};
        }
    }
    return keys;
}

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

// Compares names by their keys, made in one pass in sequence: once the table outgrows the
// cache, and where a mapped file's pages are small, a key is one miss in large pages where a
// name is two.
class NamesByKeys {
public:
    explicit NamesByKeys(const NameTable& names) : m_names(names), m_keys(nameKeys(names)) {}
    [[gnu::always_inline]] void fetch(const PodVector<std::uint32_t>& order, std::size_t k) const {
        if (k + kAhead < order.size() && order[k + kAhead] < m_keys.size())
            __builtin_prefetch(m_keys.data() + order[k + kAhead]);
    }
    int compare(std::uint32_t before, std::uint32_t index) const {
        const int c = m_keys[before].compare(m_keys[index]);
        if (c != 0 || m_keys[index].whole()) return c;
        return std::strcmp(m_names.cName(before), m_names.cName(index));
    }

private:
    static constexpr std::size_t kAhead = 16;
    const NameTable& m_names;
    PodVector<NameKey> m_keys;
};

template <typename Names>
std::string orderDamage(const Names& names, const PodVector<std::uint32_t>& order,
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

}  // namespace

std::string nameOrderDamage(const NameTable& names, const PodVector<std::uint32_t>& order,
                            std::vector<std::uint32_t>& repeats, std::size_t keyedFrom) {
    if (order.size() != names.size()) return "the name order does not list every name";
    if (names.size() >= keyedFrom) return orderDamage(NamesByKeys(names), order, repeats);
    return orderDamage(NamesByCharacters(names), order, repeats);
}

}  // namespace orbxmps
