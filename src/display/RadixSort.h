#pragma once

#include <cstddef>
#include <cstdint>
#include <utility>
#include <vector>

#include "ParallelWork.h"

// The stable radix sort behind the entry list's numeric orders, in pieces that the sort of a
// whole list and the sort of one group of a list (EntryOrder) share.
namespace radix {

// 11-bit digits keep the counts in the first-level cache and the scatter's open buckets few.
constexpr int kMaxDigitBits = 11;
// From this many keys on the passes run on two threads, each over half of the keys; below, a
// second thread costs more than it saves.
constexpr std::size_t kTwoThreadsFrom = std::size_t{1} << 18;

// How a radix sort shares the ordering bits [firstBit, firstBit + width) out among its passes,
// each of one digit, and its items between one part or two halves run side by side.
struct RadixPlan {
    RadixPlan(std::size_t count, int firstBit, int width)
        : firstBit(firstBit),
          passes((width + kMaxDigitBits - 1) / kMaxDigitBits),
          digitBits((width + passes - 1) / passes),
          buckets(std::size_t{1} << digitBits),
          count(count),
          split(orbxmps::splitOf(count, kTwoThreadsFrom)),
          parts(split == count ? 1 : 2) {}

    int shiftOf(int pass) const { return firstBit + pass * digitBits; }
    std::uint64_t mask() const { return buckets - 1; }

    int firstBit;
    int passes;
    int digitBits;
    std::size_t buckets;
    std::size_t count;
    std::size_t split;  // where the second half starts; count when there is one part
    std::size_t parts;
};

// Runs part(index, from, to) over the plan's one part or two halves.
template <typename Part>
void forEachPart(const RadixPlan& plan, const Part& part) {
    orbxmps::runSplitAt(plan.split, plan.count, [&part](std::size_t from, std::size_t to) {
        part(std::size_t{from > 0}, from, to);
    });
}

// The loops below take what they use as plain arguments: a store to an item or a count cannot
// alias those, so they stay in registers.

// Makes items [from, to) from their keys and counts the digits of the first `passes` passes.
template <typename Item, typename MakeItem, typename BitsOf>
void makeAndCount(const std::uint64_t* keys, Item* items, std::size_t from, std::size_t to,
                  MakeItem makeItem, BitsOf bitsOf, int firstBit, int digitBits, int passes,
                  std::size_t buckets, std::uint32_t* counts) {
    const std::uint64_t mask = buckets - 1;
    for (std::size_t i = from; i < to; ++i) {
        const Item item = makeItem(keys[i], i);
        items[i] = item;
        std::uint64_t bits = bitsOf(item) >> firstBit;
        for (int p = 0; p < passes; ++p, bits >>= digitBits) ++counts[p * buckets + (bits & mask)];
    }
}

template <typename Item, typename BitsOf>
void countDigits(const Item* items, std::size_t from, std::size_t to, BitsOf bitsOf, int shift,
                 std::uint64_t mask, std::uint32_t* counts) {
    for (std::size_t i = from; i < to; ++i) ++counts[(bitsOf(items[i]) >> shift) & mask];
}

// Moves items [from, to) to their buckets' next places, given as bucketStart.
template <typename Item, typename BitsOf>
void placeByDigit(const Item* items, Item* placed, std::size_t from, std::size_t to, BitsOf bitsOf,
                  int shift, std::uint64_t mask, std::uint32_t* bucketStart) {
    for (std::size_t i = from; i < to; ++i)
        placed[bucketStart[(bitsOf(items[i]) >> shift) & mask]++] = items[i];
}

// Turns the parts' counts of one digit into each part's starts within each bucket: the second
// half's items go after the first's, as one thread would place them. False when every item
// is in one bucket, so the pass would move nothing.
inline bool startsFromCounts(const RadixPlan& plan, std::uint32_t* const partCounts[2],
                             std::size_t firstItemsBucket) {
    std::size_t inFirstItemsBucket = 0;
    for (std::size_t part = 0; part < plan.parts; ++part)
        inFirstItemsBucket += partCounts[part][firstItemsBucket];
    if (inFirstItemsBucket == plan.count) return false;
    std::uint32_t start = 0;
    for (std::size_t b = 0; b < plan.buckets; ++b)
        for (std::size_t part = 0; part < plan.parts; ++part)
            start += std::exchange(partCounts[part][b], start);
    return true;
}

// A stable least-significant-digit radix sort of count items by bits [firstBit, firstBit +
// width) of bitsOf(item). The items are made from the keys (makeItem(key, position)) in the
// pass that counts the digits; items may be the keys themselves. A digit that every item
// shares is skipped. Many items are sorted in two halves on two threads, each counting its own
// digits: one thread's counts of every digit hold in any order, but a half's items change
// after each pass. Returns items or spare, whichever holds the sorted items.
template <typename Item, typename MakeItem, typename BitsOf>
Item* radixSort(const std::uint64_t* keys, std::size_t count, MakeItem makeItem, BitsOf bitsOf,
                int firstBit, int width, Item* items, Item* spare) {
    const RadixPlan plan(count, firstBit, width);
    // Per part and pass, the counts of the digits, then the buckets' starts.
    std::vector<std::uint32_t> counts(plan.parts * plan.passes * plan.buckets);
    const auto countsOf = [&counts, &plan](std::size_t part, int pass) {
        return counts.data() + (part * plan.passes + pass) * plan.buckets;
    };
    Item* from = items;
    Item* to = spare;
    const int countedPasses = plan.parts == 1 ? plan.passes : 1;
    forEachPart(plan, [&](std::size_t part, std::size_t begin, std::size_t end) {
        makeAndCount(keys, from, begin, end, makeItem, bitsOf, firstBit, plan.digitBits,
                     countedPasses, plan.buckets, countsOf(part, 0));
    });
    for (int p = 0; p < plan.passes; ++p) {
        const int shift = plan.shiftOf(p);
        if (p >= countedPasses)
            forEachPart(plan, [&](std::size_t part, std::size_t begin, std::size_t end) {
                countDigits(from, begin, end, bitsOf, shift, plan.mask(), countsOf(part, p));
            });
        std::uint32_t* const partCounts[2] = {countsOf(0, p), countsOf(plan.parts - 1, p)};
        if (!startsFromCounts(plan, partCounts, (bitsOf(from[0]) >> shift) & plan.mask())) continue;
        forEachPart(plan, [&](std::size_t part, std::size_t begin, std::size_t end) {
            placeByDigit(from, to, begin, end, bitsOf, shift, plan.mask(), partCounts[part]);
        });
        std::swap(from, to);
    }
    return from;
}

// The same over the keys' vector, the sorted items left in items.
template <typename Keys, typename Items, typename MakeItem, typename BitsOf>
void radixSort(const Keys& keys, MakeItem makeItem, BitsOf bitsOf, int firstBit, int width,
               Items& items, Items& spare) {
    items.resize(keys.size());
    spare.resize(keys.size());
    if (radixSort(keys.data(), keys.size(), makeItem, bitsOf, firstBit, width, items.data(),
                  spare.data()) != items.data())
        items.swap(spare);
}

}  // namespace radix
