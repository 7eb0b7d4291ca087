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

std::string nameOrderDamage(const NameTable& names, const PodVector<std::uint32_t>& order,
                            std::vector<std::uint32_t>& repeats) {
    const std::size_t size = names.size();
    if (order.size() != size) return "the name order does not list every name";
    std::vector<bool> seen(size, false);
    // The order visits names scattered over the table: a name's offset is fetched this many
    // steps ahead, its characters half as many.
    constexpr std::size_t kAhead = 16;
    const NameOffset* offsets = names.offsets().data();
    const char* characters = names.characters().data();
    for (std::size_t k = 0; k < size; ++k) {
        if (k + kAhead < size && order[k + kAhead] < size)
            __builtin_prefetch(offsets + order[k + kAhead]);
        if (k + kAhead / 2 < size && order[k + kAhead / 2] < size)
            __builtin_prefetch(characters + offsets[order[k + kAhead / 2]]);
        const std::uint32_t index = order[k];
        if (index >= size || seen[index]) return "the name order lists a name twice or none";
        seen[index] = true;
        if (k == 0) continue;
        const std::uint32_t before = order[k - 1];
        const int c = std::strcmp(names.cName(before), names.cName(index));
        if (c > 0 || (c == 0 && before > index))
            return "the name order is not the names' order, at position " + std::to_string(k);
        if (c == 0) repeats.push_back(index);
    }
    std::sort(repeats.begin(), repeats.end());
    return {};
}

}  // namespace orbxmps
