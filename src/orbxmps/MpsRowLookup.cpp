#include "MpsRowLookup.h"

namespace orbxmps {

MpsRowLookup::MpsRowLookup(const NameTable& names) : m_names(names) {
    // Filled to between a third and two thirds: the table is the size of the rows' other
    // arrays together, and each of its fresh pages costs more to clear than the longer
    // probes of a fuller table cost to walk.
    std::size_t capacity = 64;
    while (capacity < names.size() + names.size() / 2) capacity *= 2;
    m_slots.resize(capacity);
    m_mask = capacity - 1;
    m_cache.resize(std::size_t{1} << kCacheBits);
    // Each row lands in a random slot, a cache miss: the hashes run a few rows ahead, so the
    // slot of a later row is fetched while this one is placed.
    constexpr std::size_t kAhead = 8;
    std::uint64_t hashes[kAhead];
    for (std::size_t index = 0; index < kAhead && index < names.size(); ++index) {
        hashes[index] = NameTable::hash(names.name(index));
        prefetch(hashes[index]);
    }
    for (std::size_t index = 0; index < names.size(); ++index) {
        const std::uint64_t hashValue = hashes[index % kAhead];
        if (index + kAhead < names.size()) {
            hashes[index % kAhead] = NameTable::hash(names.name(index + kAhead));
            prefetch(hashes[index % kAhead]);
        }
        const std::string_view name = names.name(index);
        m_hasLongNames = m_hasLongNames || name.size() > kInlineLength;
        if (name.size() > kInlineLength || name.empty()) continue;
        char padded[16] = {};  // the table's names have no padding to read into
        std::memcpy(padded, name.data(), name.size());
        std::size_t slot = hashValue & m_mask;
        while (m_slots[slot].indexPlusOne != 0) slot = (slot + 1) & m_mask;
        m_slots[slot] = keyOf({padded, name.size()});
        m_slots[slot].indexPlusOne = static_cast<std::uint32_t>(index + 1);
    }
}

std::int64_t MpsRowLookup::find(std::string_view name, std::uint64_t hashValue) {
    if (name.size() > kInlineLength || name.empty()) return m_names.find(name, hashValue);
    const Slot key = keyOf(name);
    for (std::size_t slot = hashValue & m_mask;; slot = (slot + 1) & m_mask) {
        const Slot& entry = m_slots[slot];
        if (entry.indexPlusOne == 0) return NameTable::kNotFound;
        if (entry.sameKey(key)) {
            m_cache[hashValue >> (64 - kCacheBits)] = entry;
            return entry.indexPlusOne - 1;
        }
    }
}

}  // namespace orbxmps
