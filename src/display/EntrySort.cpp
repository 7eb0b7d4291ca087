#include "EntrySort.h"

#include <algorithm>
#include <bit>
#include <cstdint>
#include <optional>
#include <span>
#include <utility>

#include "ParallelWork.h"
#include "RadixSort.h"

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace {

void sortByName(std::vector<CNorvaRow>& entries) {
    const auto less = [](const CNorvaRow& a, const CNorvaRow& b) { return a.name < b.name; };
    if (std::is_sorted(entries.begin(), entries.end(), less)) return;
    std::stable_sort(entries.begin(), entries.end(), less);
}

constexpr std::uint64_t kUnknownKey = descendingKey(CNorvaRow::kUnknown);

}  // namespace

namespace {

struct BitsOfKnown {
    std::uint64_t orBits;
    std::uint64_t andBits;
    std::size_t unknown;
};

// The OR and AND of the known keys, and the count of unknown ones, from i on.
void takeBits(std::span<const std::uint64_t> keys, std::size_t i, BitsOfKnown& bits) {
    for (; i < keys.size(); ++i) {
        const std::uint64_t key = keys[i];
        const std::uint64_t isUnknown = key == kUnknownKey;
        const std::uint64_t unknownMask = std::uint64_t{0} - isUnknown;
        bits.unknown += isUnknown;
        bits.orBits |= key & ~unknownMask;
        bits.andBits &= key | unknownMask;
    }
}

#if defined(__SSE2__)
// Two keys a step: the scalar loop was a tenth of a sorted dense row's click.
void takeBitsByTwos(std::span<const std::uint64_t> keys, BitsOfKnown& bits) {
    const __m128i unknownKey = _mm_set1_epi64x(static_cast<long long>(kUnknownKey));
    __m128i orBits = _mm_set1_epi64x(static_cast<long long>(bits.orBits));
    __m128i andBits = _mm_set1_epi64x(static_cast<long long>(bits.andBits));
    __m128i unknown = _mm_setzero_si128();  // minus the count, per lane
    std::size_t i = 0;
    for (; i + 2 <= keys.size(); i += 2) {
        const __m128i key = _mm_loadu_si128(reinterpret_cast<const __m128i*>(keys.data() + i));
        // SSE2 compares 32 bits at a time: a key is unknown when both its halves are.
        const __m128i halves = _mm_cmpeq_epi32(key, unknownKey);
        const __m128i isUnknown =
            _mm_and_si128(halves, _mm_shuffle_epi32(halves, _MM_SHUFFLE(2, 3, 0, 1)));
        orBits = _mm_or_si128(orBits, _mm_andnot_si128(isUnknown, key));
        andBits = _mm_and_si128(andBits, _mm_or_si128(key, isUnknown));
        unknown = _mm_add_epi64(unknown, isUnknown);
    }
    alignas(16) std::uint64_t lanes[3][2];
    _mm_store_si128(reinterpret_cast<__m128i*>(lanes[0]), orBits);
    _mm_store_si128(reinterpret_cast<__m128i*>(lanes[1]), andBits);
    _mm_store_si128(reinterpret_cast<__m128i*>(lanes[2]), unknown);
    bits.orBits = lanes[0][0] | lanes[0][1];
    bits.andBits = lanes[1][0] & lanes[1][1];
    bits.unknown -= lanes[2][0] + lanes[2][1];
    takeBits(keys, i, bits);
}
#endif

}  // namespace

void KeyStats::take(std::span<const std::uint64_t> keys) {
    if (keys.empty()) return;
    if (!any) first = last = keys[0];
    any = true;
    BitsOfKnown bits{knownOr, knownAnd, unknown};
#if defined(__SSE2__)
    takeBitsByTwos(keys, bits);
#else
    takeBits(keys, 0, bits);
#endif
    knownOr = bits.orBits;
    knownAnd = bits.andBits;
    unknown = bits.unknown;
    // Apart, as it ends at the first key out of order: most keys are in none.
    inOrder = inOrder && last <= keys[0] &&
              std::adjacent_find(keys.begin(), keys.end(), std::greater<>()) == keys.end();
    last = keys.back();
}

void KeyStats::follow(const KeyStats& later) {
    if (!later.any) return;
    if (!any) {
        *this = later;
        return;
    }
    knownOr |= later.knownOr;
    knownAnd &= later.knownAnd;
    unknown += later.unknown;
    inOrder = inOrder && later.inOrder && last <= later.first;
    last = later.last;
}

std::uint64_t KeyStats::varying() const {
    if (unknown == 0) return knownOr ^ knownAnd;
    // With no known key, OR 0 and AND all ones: the unknown key's bits alone, none varying.
    return (knownOr | kUnknownKey) ^ (knownAnd & kUnknownKey);
}

namespace {

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
        // Without branches: the unknown values are often every other entry, in no pattern.
        const std::uint64_t unknown = key == kUnknownKey;
        const std::uint64_t label = unknown | (std::uint64_t{key > kUnknownKey} << 1);
        return (label << width) | ((key >> low) & mask & (unknown - 1));
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
    return spanOf(stats.varying());
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
    orbxmps::runInHalves(count, radix::kTwoThreadsFrom, make);
}

namespace {

// The layout that orders count keys of these stats and the bits a position takes beside it;
// none when there are fewer than two keys or they ascend already.
std::optional<KeyLayout> layoutToOrder(const KeyStats& stats, std::size_t count,
                                       int& positionBits) {
    if (count < 2 || stats.inOrder) return std::nullopt;
    positionBits = static_cast<int>(std::bit_width(count - 1));
    return layoutOf(stats, count, positionBits);
}

// Each item one word, the key's ordering bits above the position: half the memory a pair
// takes for the passes to stream through.
auto packerOf(KeyLayout layout, int positionBits) {
    return [layout, positionBits](std::uint64_t key, std::size_t position) {
        return (layout.cut(key) << positionBits) | position;
    };
}

// A type of its own rather than a function, whose pointer the loops would call per item.
constexpr auto wordOf = [](std::uint64_t item) { return item; };

// Positions by keys whose ordering bits and a position do not fit in one word.
void orderWide(const SortWords& keys, KeyLayout layout, EntrySortScratch& scratch,
               std::vector<std::uint32_t>& order) {
    const auto pair = [layout](std::uint64_t key, std::size_t position) {
        return std::pair(layout.cut(key), static_cast<std::uint32_t>(position));
    };
    const auto first = [](const auto& item) { return item.first; };
    radix::radixSort(keys, pair, first, 0, layout.bits(), scratch.wide, scratch.wideSpare);
    order.resize(keys.size());
    for (std::size_t i = 0; i < keys.size(); ++i) order[i] = scratch.wide[i].second;
}

// Packs the keys and lays them out in groups by their top digit: one pass makes and counts
// them, one places them. The rest of the ordering waits until a group is read.
void groupByTopDigit(SortWords& keys, KeyLayout layout, int positionBits, EntryOrder& order) {
    const std::size_t count = keys.size();
    const int width = layout.bits();
    const int topBits =
        std::min({radix::kMaxDigitBits, width, static_cast<int>(std::bit_width(count))});
    const int groupedBits = width - topBits;
    const radix::RadixPlan plan(count, positionBits + groupedBits, topBits);
    std::vector<std::uint32_t> counts(plan.parts * plan.buckets);
    std::uint32_t* const partCounts[2] = {counts.data(),
                                          counts.data() + (plan.parts - 1) * plan.buckets};
    const auto pack = packerOf(layout, positionBits);
    radix::forEachPart(plan, [&](std::size_t part, std::size_t begin, std::size_t end) {
        radix::makeAndCount(keys.data(), keys.data(), begin, end, pack, wordOf, plan.firstBit,
                            plan.digitBits, 1, plan.buckets, partCounts[part]);
    });
    std::vector<std::uint32_t> starts(plan.buckets + 1);
    for (std::size_t b = 0; b < plan.buckets; ++b)
        starts[b + 1] = starts[b] + counts[b] + (plan.parts == 2 ? partCounts[1][b] : 0);
    std::uint64_t* const placed = order.itemsToWrite(count);
    if (radix::startsFromCounts(plan, partCounts, (keys[0] >> plan.firstBit) & plan.mask()))
        radix::forEachPart(plan, [&](std::size_t part, std::size_t begin, std::size_t end) {
            radix::placeByDigit(keys.data(), placed, begin, end, wordOf, plan.firstBit, plan.mask(),
                                partCounts[part]);
        });
    else
        std::copy(keys.begin(), keys.end(), placed);  // one group, in position order already
    // The unknown value's label has a top digit of its own, and its keys are all one: a row
    // sorted by activity shows them first, often half the row, with nothing to sort.
    const std::size_t unknownGroup =
        layout.labelled ? std::size_t{1} << (topBits - 2) : EntryOrder::kNoGroup;
    order.assignGroups(std::move(starts), positionBits, groupedBits, unknownGroup);
}

}  // namespace

// Sorts positions by key rather than the entries, so each entry is moved once.
void orderByKeys(EntrySortScratch& scratch, std::vector<std::uint32_t>& order,
                 const KeyStats& stats) {
    order.clear();
    SortWords& keys = scratch.packed;
    int positionBits = 0;
    const std::optional<KeyLayout> layout = layoutToOrder(stats, keys.size(), positionBits);
    if (!layout) return;
    if (layout->bits() + positionBits > 64) return orderWide(keys, *layout, scratch, order);
    radix::radixSort(keys, packerOf(*layout, positionBits), wordOf, positionBits, layout->bits(),
                     keys, scratch.packedSpare);
    const std::uint64_t positionMask = (std::uint64_t{1} << positionBits) - 1;
    order.resize(keys.size());
    for (std::size_t i = 0; i < keys.size(); ++i)
        order[i] = static_cast<std::uint32_t>(keys[i] & positionMask);
}

void orderByKeys(EntrySortScratch& scratch, EntryOrder& order, const KeyStats& stats) {
    order.clear();
    SortWords& keys = scratch.packed;
    int positionBits = 0;
    const std::optional<KeyLayout> layout = layoutToOrder(stats, keys.size(), positionBits);
    if (!layout) return;
    if (layout->bits() + positionBits <= 64)
        return groupByTopDigit(keys, *layout, positionBits, order);
    orderWide(keys, *layout, scratch, scratch.order);
    order.assignIndexes(scratch.order);
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
