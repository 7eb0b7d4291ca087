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
class MpsRowLookup {
public:
    static constexpr std::int64_t kNotCached = -2;

    explicit MpsRowLookup(const NameTable& names);

    void prefetch(std::uint64_t hashValue) const { __builtin_prefetch(&m_slots[hashValue & m_mask]); }

    // The row if the cache knows it, else kNotCached.
    std::int64_t findCached(std::string_view name, std::uint64_t hashValue) const {
        if (name.size() > kInlineLength || name.empty()) return kNotCached;
        const Slot& entry = m_cache[hashValue >> (64 - kCacheBits)];
        const Slot key = keyOf(name);
        if (entry.indexPlusOne != 0 && std::memcmp(entry.name, key.name, kInlineLength) == 0)
            return entry.indexPlusOne - 1;
        return kNotCached;
    }

    // Index of the row, or NameTable::kNotFound; hashValue is NameTable::hash(name).
    std::int64_t find(std::string_view name, std::uint64_t hashValue);

private:
    static constexpr std::size_t kInlineLength = 12;
    static constexpr int kCacheBits = 13;
    struct Slot {
        char name[kInlineLength];  // zero-padded; names hold no NUL bytes
        std::uint32_t indexPlusOne;  // 0: empty
    };

    static Slot keyOf(std::string_view name) {
        Slot key{};
        std::memcpy(key.name, name.data(), name.size());
        return key;
    }

    const NameTable& m_names;
    PodVector<Slot> m_slots;
    std::size_t m_mask = 0;
    PodVector<Slot> m_cache;
};

}  // namespace orbxmps
