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

bool twoThreadsFor(std::size_t count) {
    return count >= kTwoThreadsFrom && orbxmps::parallelWorkAllowed();
}

// Runs part(0) here and, for two parts, part(1) alongside.
template <typename Part>
void forEachPart(std::size_t parts, Part part) {
    if (parts == 1) return part(0);
    orbxmps::runAlongside([&part] { part(1); }, [&part] { part(0); });
}

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
    if (!twoThreadsFor(keys.size())) return statsOf(std::span(keys));
    const std::span<const std::uint64_t> first(keys.data(), keys.size() / 2);
    const std::span<const std::uint64_t> second(keys.data() + first.size(),
                                                keys.size() - first.size());
    KeyStats a, b;
    orbxmps::runAlongside([&b, second] { b = statsOf(second); },
                          [&a, first] { a = statsOf(first); });
    // A bit in which a key of the second half differs from the first key is one in which it
    // differs from the second half's first key, or in which the two first keys differ.
    a.varying |= b.varying | (first.front() ^ second.front());
    a.knownOr |= b.knownOr;
    a.knownAnd &= b.knownAnd;
    a.unknown += b.unknown;
    a.inOrder = a.inOrder && b.inOrder && first.back() <= second.front();
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

// A stable least-significant-digit radix sort of items by bits [firstBit, firstBit + width)
// of bitsOf(item). The items are made from the keys (makeItem(key, position)) in the pass
// that counts the digits; items may be the keys' own vector. The digits share the width
// evenly, and a digit that every item shares is skipped. Many items are sorted in two halves
// on two threads: each half's items go after the first half's in each bucket, so the order
// is the one-thread order. As a pass places the items, it counts the next pass's digits by
// the half each item lands in, so that no pass reads the items only to count them.
// The loops capture what they use by value: captured by reference, every store to an item
// or a count could alias it and make it be read again.
template <typename Item, typename MakeItem, typename BitsOf>
void radixSort(const std::vector<std::uint64_t>& keys, MakeItem makeItem, BitsOf bitsOf,
               int firstBit, int width, std::vector<Item>& items, std::vector<Item>& spare) {
    const int passes = (width + kMaxDigitBits - 1) / kMaxDigitBits;
    const int digitBits = (width + passes - 1) / passes;
    const std::size_t buckets = std::size_t{1} << digitBits;
    const std::uint64_t mask = buckets - 1;
    const std::size_t count = keys.size();
    const std::size_t parts = twoThreadsFor(count) ? 2 : 1;
    const std::size_t middle = parts == 1 ? count : count / 2;  // where the second half starts
    const std::size_t bounds[] = {0, middle, count};
    // Per part and pass, the counts, made into the buckets' starts; per placing part, the
    // next pass's counts by the half each item lands in.
    std::vector<std::uint32_t> counts(parts * passes * buckets);
    std::vector<std::uint32_t> landed(parts * parts * buckets);
    const auto countsOf = [&counts, passes, buckets](std::size_t part, int pass) {
        return counts.data() + (part * passes + pass) * buckets;
    };
    items.resize(count);
    spare.resize(count);
    const std::uint64_t* const keyData = keys.data();
    Item* from = items.data();
    Item* to = spare.data();
    // One part: every digit is counted here, as the totals hold in any order.
    const int countedPasses = parts == 1 ? passes : 1;
    forEachPart(parts, [=](std::size_t part) {
        std::uint32_t* const partCounts = countsOf(part, 0);
        for (std::size_t i = bounds[part]; i < bounds[part + 1]; ++i) {
            const Item item = makeItem(keyData[i], i);
            from[i] = item;
            std::uint64_t bits = bitsOf(item) >> firstBit;
            for (int p = 0; p < countedPasses; ++p, bits >>= digitBits)
                ++partCounts[p * buckets + (bits & mask)];
        }
    });
    bool counted = true;  // whether the counts of pass p are those of the items as they lie
    for (int p = 0; p < passes; ++p) {
        const int shift = firstBit + p * digitBits;
        if (!counted)
            forEachPart(parts, [=](std::size_t part) {
                std::uint32_t* const partCounts = countsOf(part, p);
                std::fill(partCounts, partCounts + buckets, 0);
                for (std::size_t i = bounds[part]; i < bounds[part + 1]; ++i)
                    ++partCounts[(bitsOf(from[i]) >> shift) & mask];
            });
        std::size_t inFirstBucket = 0;
        for (std::size_t part = 0; part < parts; ++part)
            inFirstBucket += countsOf(part, p)[(bitsOf(from[0]) >> shift) & mask];
        if (inFirstBucket == count) {
            counted = parts == 1;  // the halves' counts of the next digit were never made
            continue;
        }
        std::uint32_t start = 0;
        for (std::size_t b = 0; b < buckets; ++b)
            for (std::size_t part = 0; part < parts; ++part)
                start += std::exchange(countsOf(part, p)[b], start);
        const bool countNext = parts > 1 && p + 1 < passes;
        std::fill(landed.begin(), landed.end(), 0);
        std::uint32_t* const landedData = landed.data();
        forEachPart(parts, [=](std::size_t part) {
            std::uint32_t* const bucketStart = countsOf(part, p);
            if (!countNext) {
                for (std::size_t i = bounds[part]; i < bounds[part + 1]; ++i)
                    to[bucketStart[(bitsOf(from[i]) >> shift) & mask]++] = from[i];
                return;
            }
            std::uint32_t* const partLanded = landedData + part * parts * buckets;
            for (std::size_t i = bounds[part]; i < bounds[part + 1]; ++i) {
                const std::uint64_t bits = bitsOf(from[i]);
                const std::uint32_t place = bucketStart[(bits >> shift) & mask]++;
                to[place] = from[i];
                ++partLanded[(place >= middle) * buckets + ((bits >> (shift + digitBits)) & mask)];
            }
        });
        for (std::size_t half = 0; countNext && half < parts; ++half)
            for (std::size_t b = 0; b < buckets; ++b)
                countsOf(half, p + 1)[b] =
                    landed[half * buckets + b] + landed[(parts + half) * buckets + b];
        counted = parts == 1 || countNext;
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
    if (!twoThreadsFor(count)) return make(0, count);
    const std::size_t middle = count / 2;
    orbxmps::runAlongside([&make, middle, count] { make(middle, count); },
                          [&make, middle] { make(0, middle); });
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
