#include "EntrySort.h"

#include <algorithm>
#include <bit>
#include <cstdint>
#include <span>
#include <utility>

#include "ParallelWork.h"

namespace {

// 11-bit digits keep the counts in the first-level cache and the scatter's open buckets few.
constexpr int kMaxDigitBits = 11;
// From this many keys on the passes run on two threads, each over half of the keys; below, a
// second thread costs more than it saves.
constexpr std::size_t kTwoThreadsFrom = std::size_t{1} << 18;

void sortByName(std::vector<CNorvaRow>& entries) {
    const auto less = [](const CNorvaRow& a, const CNorvaRow& b) { return a.name < b.name; };
    if (std::is_sorted(entries.begin(), entries.end(), less)) return;
    std::stable_sort(entries.begin(), entries.end(), less);
}

constexpr std::uint64_t kUnknownKey = descendingKey(CNorvaRow::kUnknown);

// What one pass over the keys learns: the bits in which all keys differ from the first, the
// same for the keys other than the unknown value's, how many are unknown, and whether the
// keys already ascend (row display often meets a key in order: all term numbers 0).
struct KeyStats {
    std::uint64_t varying = 0;
    std::uint64_t knownOr = 0;
    std::uint64_t knownAnd = ~std::uint64_t{0};
    std::size_t unknown = 0;
    bool inOrder = true;
};

KeyStats statsOf(std::span<const std::uint64_t> keys) {
    KeyStats stats;
    const std::uint64_t first = keys[0];
    std::uint64_t previous = first;
    for (const std::uint64_t key : keys) {
        stats.varying |= key ^ first;
        const std::uint64_t unknown = key == kUnknownKey;
        const std::uint64_t unknownMask = std::uint64_t{0} - unknown;
        stats.unknown += unknown;
        stats.knownOr |= key & ~unknownMask;
        stats.knownAnd &= key | unknownMask;
        stats.inOrder &= previous <= key;
        previous = key;
    }
    return stats;
}

// The stats of the keys, from those of their halves where there are many.
KeyStats statsOf(const std::vector<std::uint64_t>& keys) {
    const std::size_t split = orbxmps::splitOf(keys.size(), kTwoThreadsFrom);
    KeyStats halves[2];
    orbxmps::runSplitAt(split, keys.size(), [&halves, &keys](std::size_t from, std::size_t to) {
        halves[from > 0] = statsOf(std::span(keys.data() + from, to - from));
    });
    if (split == keys.size()) return halves[0];
    KeyStats& a = halves[0];
    const KeyStats& b = halves[1];
    // A bit in which a key of the second half differs from the first key is one in which it
    // differs from the second half's first key, or in which the two first keys differ.
    a.varying |= b.varying | (keys[0] ^ keys[split]);
    a.knownOr |= b.knownOr;
    a.knownAnd &= b.knownAnd;
    a.unknown += b.unknown;
    a.inOrder = a.inOrder && b.inOrder && keys[split - 1] <= keys[split];
    return a;
}

// How keys are cut down to the bits that order them: bits [low, low + width), in which the
// keys differ, under a two-bit label that sets the unknown value's key apart (0 before it,
// 1 it, 2 after it). Values from 32-bit floats leave the low 29 bits of every key alike,
// but the unknown value 1e30 is no float; set apart, it no longer widens the span to all
// 64 bits.
struct KeyLayout {
    int low = 0;
    int width = 0;
    bool labelled = false;

    int bits() const { return width + (labelled ? 2 : 0); }
    std::uint64_t cut(std::uint64_t key) const {
        const std::uint64_t mask =
            width == 64 ? ~std::uint64_t{0} : (std::uint64_t{1} << width) - 1;
        if (!labelled) return (key >> low) & mask;
        if (key == kUnknownKey) return std::uint64_t{1} << width;
        const std::uint64_t label = key < kUnknownKey ? 0 : 2;
        return (label << width) | ((key >> low) & mask);
    }
};

KeyLayout spanOf(std::uint64_t varying) {
    if (varying == 0) return {};
    const int low = std::countr_zero(varying);
    return {low, static_cast<int>(std::bit_width(varying)) - low, false};
}

// The narrowest layout, preferring one that leaves room for positionBits beside it.
KeyLayout layoutOf(const KeyStats& stats, std::size_t count, int positionBits) {
    if (stats.unknown > 0 && stats.unknown < count) {
        KeyLayout labelled = spanOf(stats.knownOr ^ stats.knownAnd);
        labelled.labelled = true;
        if (labelled.bits() + positionBits <= 64) return labelled;
    }
    return spanOf(stats.varying);
}

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
bool startsFromCounts(const RadixPlan& plan, std::uint32_t* const partCounts[2],
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

// A stable least-significant-digit radix sort of items by bits [firstBit, firstBit + width)
// of bitsOf(item). The items are made from the keys (makeItem(key, position)) in the pass
// that counts the digits; items may be the keys' own vector. A digit that every item shares
// is skipped. Many items are sorted in two halves on two threads, each counting its own
// digits: one thread's counts of every digit hold in any order, but a half's items change
// after each pass.
template <typename Item, typename MakeItem, typename BitsOf>
void radixSort(const std::vector<std::uint64_t>& keys, MakeItem makeItem, BitsOf bitsOf,
               int firstBit, int width, std::vector<Item>& items, std::vector<Item>& spare) {
    const RadixPlan plan(keys.size(), firstBit, width);
    // Per part and pass, the counts of the digits, then the buckets' starts.
    std::vector<std::uint32_t> counts(plan.parts * plan.passes * plan.buckets);
    const auto countsOf = [&counts, &plan](std::size_t part, int pass) {
        return counts.data() + (part * plan.passes + pass) * plan.buckets;
    };
    items.resize(plan.count);
    spare.resize(plan.count);
    Item* from = items.data();
    Item* to = spare.data();
    const int countedPasses = plan.parts == 1 ? plan.passes : 1;
    forEachPart(plan, [&](std::size_t part, std::size_t begin, std::size_t end) {
        makeAndCount(keys.data(), from, begin, end, makeItem, bitsOf, firstBit, plan.digitBits,
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
    if (from != items.data()) items.swap(spare);
}

// Gathers the entries in their new order into sorted, then swaps it in. The reads are
// scattered over the whole row, so each is asked for a few entries ahead, letting the memory
// fetch them side by side.
void placeInOrder(std::vector<CNorvaRow>& entries, const std::vector<std::uint32_t>& order,
                  std::vector<CNorvaRow>& sorted) {
    constexpr std::size_t kAhead = 16;
    const std::size_t count = order.size();
    sorted.resize(count);  // a reused buffer of the same size is not written twice
    for (std::size_t i = 0; i < count; ++i) {
        if (i + kAhead < count) __builtin_prefetch(&entries[order[i + kAhead]]);
        sorted[i] = entries[order[i]];
    }
    entries.swap(sorted);
}

template <typename NumberOf>
void sortByNumber(std::vector<CNorvaRow>& entries, NumberOf numberOf, EntrySortScratch& scratch) {
    orderByNumber(
        entries.size(), [&entries, numberOf](std::size_t i) { return numberOf(entries[i]); },
        scratch, scratch.order);
    if (!scratch.order.empty()) placeInOrder(entries, scratch.order, scratch.entries);
}

// The entry's number under keys 1 to 4, made so that larger sorts first: an ascending key
// is negated.
void sortByNumber(std::vector<CNorvaRow>& entries, int sortKey, bool rowDisplay,
                  EntrySortScratch& scratch) {
    switch (sortKey) {
        case 1:
            return sortByNumber(
                entries, [](const CNorvaRow& e) { return e.coefficient; }, scratch);
        case 2:
            return sortByNumber(
                entries, [](const CNorvaRow& e) { return e.counterpartValue; }, scratch);
        case 3:
            return sortByNumber(
                entries, [](const CNorvaRow& e) { return e.calculatedValue; }, scratch);
        default:
            if (rowDisplay)
                return sortByNumber(
                    entries, [](const CNorvaRow& e) { return -static_cast<double>(e.termNumber); },
                    scratch);
            return sortByNumber(
                entries, [](const CNorvaRow& e) { return -static_cast<double>(e.linearityMark); },
                scratch);
    }
}

}  // namespace

void makeInHalves(std::size_t count, const std::function<void(std::size_t, std::size_t)>& make) {
    orbxmps::runInHalves(count, kTwoThreadsFrom, make);
}

// Sorts positions by key rather than the entries, so each entry is moved once. When the key's
// ordering bits and a position fit in 64 bits together, each item is that one word (key bits
// above the position), which halves the memory the passes stream through.
void orderByKeys(EntrySortScratch& scratch, std::vector<std::uint32_t>& order) {
    order.clear();
    std::vector<std::uint64_t>& keys = scratch.packed;
    if (keys.size() < 2) return;
    const KeyStats stats = statsOf(keys);
    if (stats.inOrder) return;
    const int positionBits = static_cast<int>(std::bit_width(keys.size() - 1));
    const KeyLayout layout = layoutOf(stats, keys.size(), positionBits);
    order.resize(keys.size());
    if (layout.bits() + positionBits <= 64) {
        const auto pack = [layout, positionBits](std::uint64_t key, std::size_t position) {
            return (layout.cut(key) << positionBits) | position;
        };
        const auto word = [](std::uint64_t item) { return item; };
        radixSort(keys, pack, word, positionBits, layout.bits(), keys, scratch.packedSpare);
        const std::uint64_t positionMask = (std::uint64_t{1} << positionBits) - 1;
        for (std::size_t i = 0; i < keys.size(); ++i)
            order[i] = static_cast<std::uint32_t>(keys[i] & positionMask);
        return;
    }
    const auto pair = [layout](std::uint64_t key, std::size_t position) {
        return std::pair(layout.cut(key), static_cast<std::uint32_t>(position));
    };
    const auto first = [](const auto& item) { return item.first; };
    radixSort(keys, pair, first, 0, layout.bits(), scratch.wide, scratch.wideSpare);
    for (std::size_t i = 0; i < keys.size(); ++i) order[i] = scratch.wide[i].second;
}

void sortEntries(std::vector<CNorvaRow>& entries, int sortKey, bool rowDisplay, bool inNameOrder) {
    EntrySortScratch scratch;
    sortEntries(entries, sortKey, rowDisplay, inNameOrder, scratch);
}

void sortEntries(std::vector<CNorvaRow>& entries, int sortKey, bool rowDisplay, bool inNameOrder,
                 EntrySortScratch& scratch) {
    // A stable sort keeps repeated pairs in the order the matrix holds them, so the same row
    // always lists the same way.
    if (sortKey == 0) {
        if (!inNameOrder) sortByName(entries);
        return;
    }
    if (sortKey >= 1 && sortKey <= 4) sortByNumber(entries, sortKey, rowDisplay, scratch);
}
