#include "EntryOrder.h"

#include <algorithm>
#include <bit>
#include <cstring>
#include <utility>

#include "RadixSort.h"

namespace {

// Up to this many items a group is sorted by comparing whole items (key bits, then index:
// the stable order), which costs less than a radix sort's counts.
constexpr std::size_t kCompareUpTo = 256;

}  // namespace

void EntryOrder::clear() {
    m_groupStart.clear();
    m_groupSorted.clear();
    m_unsortedGroups = 0;
}

void EntryOrder::keepLarger(SortWords words) {
    if (words.size() <= m_items.size()) return;
    std::copy(m_items.begin(), m_items.end(), words.begin());  // an order may be held
    m_items = std::move(words);
}

std::uint64_t* EntryOrder::itemsToWrite(std::size_t count) {
    clear();
    if (m_items.size() < count) m_items.resize(count);
    return m_items.data();
}

void EntryOrder::assignIndexes(const std::vector<std::uint32_t>& indexes) {
    std::copy(indexes.begin(), indexes.end(), itemsToWrite(indexes.size()));
    m_indexMask = UINT32_MAX;
    m_groupedBits = 0;
    if (indexes.empty()) return;
    m_groupStart = {0, static_cast<std::uint32_t>(indexes.size())};
    m_groupSorted = {1};
}

void EntryOrder::assignGroups(std::vector<std::uint32_t> starts, int indexBits, int groupedBits,
                              std::size_t alike) {
    m_groupStart = std::move(starts);
    m_indexMask = (std::uint64_t{1} << indexBits) - 1;
    m_groupedBits = groupedBits;
    const std::size_t groups = m_groupStart.size() - 1;
    m_groupSorted.assign(groups, 0);
    for (std::size_t group = 0; group < groups; ++group) {
        const bool settled =
            groupedBits == 0 || group == alike || m_groupStart[group + 1] - m_groupStart[group] < 2;
        m_groupSorted[group] = settled ? 1 : 0;
        m_unsortedGroups += settled ? 0 : 1;
    }
}

void EntryOrder::settleGroupOf(std::size_t position) const {
    const auto after = std::upper_bound(m_groupStart.begin(), m_groupStart.end(), position);
    const auto group = static_cast<std::size_t>(after - m_groupStart.begin()) - 1;
    if (m_groupSorted[group] == 0) settle(group);
}

void EntryOrder::settle(std::size_t group) const {
    std::uint64_t* const first = m_items.data() + m_groupStart[group];
    const std::size_t count = m_groupStart[group + 1] - m_groupStart[group];
    if (count <= kCompareUpTo) {
        std::sort(first, first + count);
    } else {
        if (m_spare.size() < count) m_spare.resize(count);
        const auto same = [](std::uint64_t item, std::size_t) { return item; };
        const auto word = [](std::uint64_t item) { return item; };
        const std::uint64_t* sorted =
            radix::radixSort(first, count, same, word, std::countr_one(m_indexMask), m_groupedBits,
                             first, m_spare.data());
        if (sorted != first) std::memcpy(first, sorted, count * sizeof *first);
    }
    m_groupSorted[group] = 1;
    --m_unsortedGroups;
}
