#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

#include "LargeBlockAllocator.h"

// A sort's words: a dense row's first sort would otherwise zero and fault in tens of megabytes
// a 4 kB page at a time, though each word is written before it is read.
using SortWords = std::vector<std::uint64_t, orbxmps::ScratchBlockAllocator<std::uint64_t>>;

// The order a list shows its entries in: for each list position, the entry's index in the
// list's own order; empty stands for that order itself. A list sorted by a number is kept as
// groups by the top digit of the key, the groups in order, and a group is put in order only
// when one of its positions is first read: a click on a row of millions of entries shows a
// screenful of them, and sorting the whole row up front took most of the click.
// Reading a position may sort its group, so an order is read from one thread at a time.
class EntryOrder {
public:
    bool empty() const { return m_groupStart.empty(); }
    // Keeps the blocks, written, for the next list: a row of millions is sorted again and
    // again, and clearing its block anew each time took as long as placing its items.
    void clear();
    // Takes words for its items when they are more than it holds.
    void keepLarger(SortWords words);

    std::uint32_t operator[](std::size_t position) const {
        if (m_unsortedGroups != 0) settleGroupOf(position);
        return indexAt(position);
    }
    // The first position whose entry index passes test; puts in order only the group that
    // holds it, after reading the items of the groups before it as they lie.
    template <typename Test>
    std::optional<std::size_t> firstWhere(Test test) const {
        for (std::size_t group = 0; group + 1 < m_groupStart.size(); ++group) {
            const std::size_t begin = m_groupStart[group];
            const std::size_t end = m_groupStart[group + 1];
            const std::optional<std::size_t> any = firstIn(begin, end, test);
            if (!any) continue;
            if (m_groupSorted[group] != 0) return any;
            settle(group);
            return firstIn(begin, end, test);
        }
        return std::nullopt;
    }

    // For the sorts that make an order. A whole order from entry indexes:
    void assignIndexes(const std::vector<std::uint32_t>& indexes);
    // Room for count items, each an entry's key bits above its index's bits, to be written
    // before assignGroups.
    std::uint64_t* itemsToWrite(std::size_t count);
    // The items written put in groups: starts holds each group's first position and, last,
    // the count; a group's items share their top key bits and are to be put in order by
    // their bits [indexBits, indexBits + groupedBits). Group alike, if any, is known to
    // share all its key bits, its items written in index order: in order already.
    static constexpr std::size_t kNoGroup = SIZE_MAX;
    void assignGroups(std::vector<std::uint32_t> starts, int indexBits, int groupedBits,
                      std::size_t alike = kNoGroup);

private:
    std::uint32_t indexAt(std::size_t position) const {
        return static_cast<std::uint32_t>(m_items[position] & m_indexMask);
    }
    template <typename Test>
    std::optional<std::size_t> firstIn(std::size_t begin, std::size_t end, Test& test) const {
        for (std::size_t position = begin; position < end; ++position)
            if (test(indexAt(position))) return position;
        return std::nullopt;
    }
    void settleGroupOf(std::size_t position) const;
    void settle(std::size_t group) const;

    mutable SortWords m_items;      // this order's are the first, up to the last start
    mutable SortWords m_spare;      // a large group's sort works in it
    std::uint64_t m_indexMask = 0;  // an item's index bits, its lowest
    int m_groupedBits = 0;
    std::vector<std::uint32_t> m_groupStart;  // group g holds positions [start g, start g+1)
    mutable std::vector<std::uint8_t> m_groupSorted;
    mutable std::size_t m_unsortedGroups = 0;
};
