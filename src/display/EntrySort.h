#pragma once

#include <algorithm>
#include <bit>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <span>
#include <utility>
#include <vector>

#include "CNorvaRow.h"
#include "EntryOrder.h"

// Buffers a numeric sort works in. The densest rows hold hundreds of thousands of entries, so
// a view that rebuilds again and again keeps one of these and lends it to every sort rather
// than allocating (and faulting in) some 20 MB each time. What the buffers hold between
// sorts is never read; a copy therefore starts empty.
struct EntrySortScratch {
    EntrySortScratch() = default;
    EntrySortScratch(const EntrySortScratch&) {}
    EntrySortScratch& operator=(const EntrySortScratch&) { return *this; }
    EntrySortScratch(EntrySortScratch&&) = default;
    EntrySortScratch& operator=(EntrySortScratch&&) = default;

    std::vector<CNorvaRow> entries;  // the sorted order is gathered here, then swapped in
    std::vector<std::uint32_t> order;
    SortWords packed, packedSpare;
    std::vector<std::pair<std::uint64_t, std::uint32_t>> wide, wideSpare;
};

// Orders entries by the detail view's sort key: 0 name ascending (byte order), 1 coefficient
// descending, 2 counterpart descending, 3 calculated value descending (unknown values, 1e30,
// come first), 4 term number ascending in row display or mark ascending in column display.
// A key outside 0 to 4 leaves the order as it is. Equal entries keep their order.
// inNameOrder tells that the entries already come by name, as row display meets them when
// the column array is sorted by name, so key 0 has nothing to do.
void sortEntries(std::vector<CNorvaRow>& entries, int sortKey, bool rowDisplay,
                 bool inNameOrder = false);
// Whether sortKey orders its column ascending (name, term number or mark) rather than
// descending (the values).
inline bool sortKeyAscending(int sortKey) { return sortKey == 0 || sortKey == 4; }
void sortEntries(std::vector<CNorvaRow>& entries, int sortKey, bool rowDisplay, bool inNameOrder,
                 EntrySortScratch& scratch);

// A key whose unsigned order is the descending order of value, equal values (0 and -0
// among them) equal. The magnitude is added to or taken from the middle of the range rather
// than a negative value's bits inverted, so that bits a value leaves 0 (the low 29 of every
// 32-bit float) stay alike in all keys whatever the signs. Free of branches: the entries'
// signs follow no pattern.
constexpr std::uint64_t descendingKey(double value) {
    constexpr std::uint64_t kMiddle = std::uint64_t{1} << 63;
    const auto bits = std::bit_cast<std::uint64_t>(value);
    const std::uint64_t negative = std::uint64_t{0} - (bits >> 63);
    const std::uint64_t magnitude = bits & ~kMiddle;
    return ~(kMiddle + ((magnitude ^ negative) - negative));
}

// What one pass over keys learns: the bits in which the keys other than the unknown value's
// differ, how many are unknown, and whether the keys already ascend (row display often meets
// a key in order: all term numbers 0). Taken a stretch at a time, in the keys' order, while
// the keys are at hand.
struct KeyStats {
    std::uint64_t first = 0;
    std::uint64_t last = 0;
    bool any = false;
    std::uint64_t knownOr = 0;
    std::uint64_t knownAnd = ~std::uint64_t{0};
    std::size_t unknown = 0;
    bool inOrder = true;

    // Takes the keys that follow those taken so far.
    void take(std::span<const std::uint64_t> keys);
    // Takes the stats of the keys that follow those taken so far.
    void follow(const KeyStats& later);
    // The bits in which any two keys differ.
    std::uint64_t varying() const;
};

// The stable order of the keys in scratch.packed (made by descendingKey, used up here), whose
// stats are stats, as their positions; left empty when they are in order already. An
// EntryOrder is left in groups, each put in order when first read.
void orderByKeys(EntrySortScratch& scratch, std::vector<std::uint32_t>& order,
                 const KeyStats& stats);
void orderByKeys(EntrySortScratch& scratch, EntryOrder& order, const KeyStats& stats);

// Calls make(0, count), or for many, make(0, split) and make(split, count) on two threads at
// once: at most two calls, the second (from > 0) for the later half.
void makeInHalves(std::size_t count, const std::function<void(std::size_t, std::size_t)>& make);

// Whether a key function may be called from two threads at once (it only reads).
enum class KeyCalls { OneThread, AnyThread };

// The same from the keys keyOf(0) ... keyOf(count - 1), each made by descendingKey.
template <KeyCalls calls = KeyCalls::OneThread, typename KeyOf, typename Order>
void orderByKey(std::size_t count, KeyOf keyOf, EntrySortScratch& scratch, Order& order) {
    scratch.packed.resize(count);
    std::uint64_t* const keys = scratch.packed.data();
    // The stats of each stretch of keys are taken just after it is made, from the cache.
    constexpr std::size_t kStretch = 1024;
    KeyStats halves[2];
    const auto make = [keys, &keyOf, &halves](std::size_t from, std::size_t to) {
        KeyStats& stats = halves[from > 0];
        for (std::size_t start = from; start < to; start += kStretch) {
            const std::size_t end = std::min(to, start + kStretch);
            for (std::size_t i = start; i < end; ++i) keys[i] = keyOf(i);
            stats.take(std::span<const std::uint64_t>(keys + start, end - start));
        }
    };
    if constexpr (calls == KeyCalls::AnyThread)
        makeInHalves(count, make);
    else
        make(0, count);
    halves[0].follow(halves[1]);
    orderByKeys(scratch, order, halves[0]);
}

// The stable order in which numberOf(0) ... numberOf(count - 1) descend, as positions; left
// empty when they do already. The numbers may be asked for in any order, each once.
template <KeyCalls calls = KeyCalls::OneThread, typename NumberOf, typename Order>
void orderByNumber(std::size_t count, NumberOf numberOf, EntrySortScratch& scratch, Order& order) {
    orderByKey<calls>(
        count, [&numberOf](std::size_t i) { return descendingKey(numberOf(i)); }, scratch, order);
}
