#include "NameOrder.h"

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

}  // namespace

std::string nameOrderDamage(const NameTable& names, const PodVector<std::uint32_t>& order,
                            std::vector<std::uint32_t>& repeats) {
    if (order.size() != names.size()) return "the name order does not list every name";
    return orderDamage(NamesByCharacters(names), order, repeats);
}

}  // namespace orbxmps
