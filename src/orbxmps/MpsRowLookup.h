#pragma once

#include <cstdint>
#include <cstring>
#include <string_view>

#include "NameTable.h"
#include "PodVector.h"

namespace orbxmps {

// Row lookup for the COLUMNS section, built once the rows are known and dropped after it.
// Short names (up to 12 bytes, nearly all in practice) sit in the hash slot itself, so a
// lookup is one cache line that can be prefetched, where the name table needs three
// dependent loads (slot, offset, characters). Longer names are looked up in the table.
// A small cache of recent rows in front of it stays in the CPU cache: neighbouring columns
// mostly share rows, and the hash scatters even neighbouring names over the large index.
//
// Names looked up must have 16 readable bytes from their start (a line block's padding
// guarantees it), so that a key is two word loads.
class MpsRowLookup {
public:
    static constexpr std::int64_t kNotCached = -2;

    explicit MpsRowLookup(const NameTable& names);

    void prefetch(std::uint64_t hashValue) const {
        __builtin_prefetch(&m_slots[hashValue & m_mask]);
    }
    // Whether a row name is too long for a slot; those are looked up in the name table, and
    // prefetchCharacters() reads the name's slot there to fetch the characters find() compares.
    bool hasLongNames() const { return m_hasLongNames; }
    void prefetchCharacters(std::string_view name, std::uint64_t hashValue) const {
        if (name.size() > kInlineLength) m_names.prefetchCandidate(hashValue);
    }

    // The row if the cache knows it, else kNotCached.
    std::int64_t findCached(std::string_view name, std::uint64_t hashValue) const {
        if (name.size() > kInlineLength || name.empty()) return kNotCached;
        const Slot& entry = m_cache[hashValue >> (64 - kCacheBits)];
        if (entry.indexPlusOne != 0 && entry.sameKey(keyOf(name))) return entry.indexPlusOne - 1;
        return kNotCached;
    }

    // Index of the row, or NameTable::kNotFound; hashValue is NameTable::hash(name).
    std::int64_t find(std::string_view name, std::uint64_t hashValue);

private:
    static constexpr std::size_t kInlineLength = 12;
    static constexpr int kCacheBits = 13;

    // A name zero-padded to 12 bytes (names hold no NUL bytes), and its row.
    struct Slot {
        std::uint64_t head;
        std::uint32_t tail;
        std::uint32_t indexPlusOne;  // 0: empty
        bool sameKey(const Slot& key) const { return head == key.head && tail == key.tail; }
    };

    static Slot keyOf(std::string_view name) {
        std::uint64_t words[2];
        std::memcpy(words, name.data(), sizeof words);
        const std::size_t n = name.size();
        const std::uint64_t headMask = n >= 8 ? ~0ull : (1ull << (8 * n)) - 1;
        const std::uint64_t tailMask = n <= 8 ? 0 : (1ull << (8 * (n - 8))) - 1;
        return {words[0] & headMask, static_cast<std::uint32_t>(words[1] & tailMask), 0};
    }

    const NameTable& m_names;
    PodVector<Slot> m_slots;
    std::size_t m_mask = 0;
    bool m_hasLongNames = false;
    PodVector<Slot> m_cache;
};

}  // namespace orbxmps
