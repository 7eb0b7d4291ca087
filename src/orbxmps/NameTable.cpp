#include "NameTable.h"

#include "FreshPages.h"

#include <cstring>
#include <stdexcept>
#include <utility>

namespace orbxmps {

namespace {

std::uint64_t load64(const char* p) {
    std::uint64_t v;
    std::memcpy(&v, p, 8);
    return v;
}

std::uint64_t load32(const char* p) {
    std::uint32_t v;
    std::memcpy(&v, p, 4);
    return v;
}

// The last 1 to 7 bytes of a name, from loads that stay inside it; for a given length each
// byte counts. Copied into a word a byte at a time, they were read back before the copy
// could be forwarded: half the time of hashing a 12-byte name.
std::uint64_t tailWord(const char* p, std::size_t n) {
    if (n >= 4) return load32(p) | load32(p + n - 4) << 32;
    const auto byte = [p](std::size_t i) {
        return std::uint64_t{static_cast<unsigned char>(p[i])};
    };
    return byte(0) | byte(n / 2) << 8 | byte(n - 1) << 16;
}

std::uint64_t mix(std::uint64_t a, std::uint64_t b) {
    __extension__ using Wide = unsigned __int128;
    const Wide product = static_cast<Wide>(a ^ 0x9E3779B97F4A7C15ull) * (b ^ 0xD6E8FEB86659FD93ull);
    return static_cast<std::uint64_t>(product) ^ static_cast<std::uint64_t>(product >> 64);
}

}  // namespace

std::uint64_t NameTable::hash(std::string_view name) {
    const char* p = name.data();
    std::size_t n = name.size();
    std::uint64_t h = n;
    while (n >= 8) {
        h = mix(h, load64(p));
        p += 8;
        n -= 8;
    }
    if (n > 0) h = mix(h, tailWord(p, n));
    return mix(h, 0x2545F4914F6CDD1Dull);
}

std::uint32_t NameTable::add(std::string_view name) {
    const auto index = static_cast<std::uint32_t>(m_offsets.size());
    if (m_chars->size() + name.size() >= 0xFFFFFFFFull)
        throw std::length_error("names exceed 4 GiB");
    m_offsets.push_back(static_cast<NameOffset>(m_chars->size()));
    m_chars->append(name.data(), name.size());
    m_chars->push_back('\0');
    return index;
}

std::pair<std::uint32_t, bool> NameTable::insert(std::string_view name) {
    return insert(name, hash(name));
}

std::pair<std::uint32_t, bool> NameTable::insert(std::string_view name, std::uint64_t h) {
    if (m_indexed != m_offsets.size()) rebuildIndex();
    if (overloaded(m_offsets.size() + 1)) growIndex();
    const std::size_t mask = m_slots.size() - 1;
    const std::uint64_t tag = h >> 32;
    for (std::size_t slot = (h >> 32) & mask;; slot = (slot + 1) & mask) {
        const std::uint64_t entry = m_slots[slot];
        if (entry == 0) {
            const std::uint32_t index = add(name);
            m_slots[slot] = (tag << 32) | (index + 1ull);
            m_indexed = m_offsets.size();
            return {index, true};
        }
        if ((entry >> 32) == tag) {
            const auto index = static_cast<std::uint32_t>((entry & 0xFFFFFFFFull) - 1);
            if (same(this->name(index), name)) return {index, false};
        }
    }
}

std::uint32_t NameTable::addRepeated(std::string_view name, std::uint64_t h) {
    if (m_indexed != m_offsets.size()) rebuildIndex();
    if (overloaded(m_offsets.size() + 1)) growIndex();
    const std::uint32_t index = add(name);
    m_addedRepeats = true;
    // Behind the first one in its probe run, so a lookup meets the first one first.
    placeInIndex(index, h);
    m_indexed = m_offsets.size();
    return index;
}

std::int64_t NameTable::find(std::string_view name) const {
    if (m_offsets.empty()) return kNotFound;
    return find(name, hash(name));
}

std::int64_t NameTable::find(std::string_view name, std::uint64_t h) const {
    if (m_offsets.empty()) return kNotFound;
    if (m_indexed != m_offsets.size()) rebuildIndex();
    const std::size_t mask = m_slots.size() - 1;
    const std::uint64_t tag = h >> 32;
    for (std::size_t slot = (h >> 32) & mask;; slot = (slot + 1) & mask) {
        const std::uint64_t entry = m_slots[slot];
        if (entry == 0) return kNotFound;
        if ((entry >> 32) == tag) {
            const std::uint64_t index = (entry & 0xFFFFFFFFull) - 1;
            if (same(this->name(index), name)) return static_cast<std::int64_t>(index);
        }
    }
}

void NameTable::prefetchCandidate(std::uint64_t h) const {
    if (m_slots.empty() || m_indexed != m_offsets.size()) return;
    const std::size_t mask = m_slots.size() - 1;
    const std::uint64_t tag = h >> 32;
    for (std::size_t slot = (h >> 32) & mask;; slot = (slot + 1) & mask) {
        const std::uint64_t entry = m_slots[slot];
        if (entry == 0) return;
        if ((entry >> 32) == tag) {
            __builtin_prefetch(cName((entry & 0xFFFFFFFFull) - 1));
            return;
        }
    }
}

// A slot's place comes from the hash's high half, which the slot keeps as its tag: the
// index can then grow without reading or hashing a single name.
void NameTable::placeInIndex(std::uint64_t entry) const {
    const std::size_t mask = m_slots.size() - 1;
    std::size_t slot = (entry >> 32) & mask;
    while (m_slots[slot] != 0) slot = (slot + 1) & mask;
    m_slots[slot] = entry;
}

void NameTable::placeInIndex(std::uint32_t index, std::uint64_t hashValue) const {
    placeInIndex(((hashValue >> 32) << 32) | (index + 1ull));
}

// The index is the one part of a name table that is touched at random, and its largest:
// a load of up to 0.7 keeps it at 11 to 23 bytes per name, with short probe runs still
// (the 32-bit tags make a probe past a wrong name cheap).
bool NameTable::overloaded(std::size_t names) const { return names * 10 > m_slots.size() * 7; }

std::size_t NameTable::capacityFor(std::size_t names) {
    std::size_t capacity = 64;
    while (names * 10 > capacity * 7) capacity *= 2;
    return capacity;
}

void NameTable::growIndex() {
    PodVector<std::uint64_t> old = std::move(m_slots);
    m_slots.resize(capacityFor(m_offsets.size() + 1));
    populateForWriting(m_slots.data(), m_slots.size() * sizeof(std::uint64_t));
    for (const std::uint64_t entry : old)
        if (entry != 0) placeInIndex(entry);
}

void NameTable::releaseIndex() const {
    m_slots.clear();
    m_indexed = 0;
}

void NameTable::rebuildIndex() const {
    m_indexed = m_offsets.size();
    m_slots.clear();
    m_slots.resize(capacityFor(m_indexed + 1));
    populateForWriting(m_slots.data(), m_slots.size() * sizeof(std::uint64_t));
    for (std::size_t i = 0; i < m_indexed; ++i)
        placeInIndex(static_cast<std::uint32_t>(i), hash(name(i)));
}

void NameTable::reserveIndex(std::size_t names) {
    if (!m_offsets.empty() || capacityFor(names + 1) <= m_slots.size()) return;
    m_slots.clear();
    m_slots.resize(capacityFor(names + 1));  // an empty array's first resize maps zero pages
    m_indexed = 0;
}

void NameTable::reserve(std::size_t names, std::size_t characters) {
    m_offsets.reserve(names);
    m_chars->reserve(characters);
}

void NameTable::assign(PodVector<char>&& characters, PodVector<NameOffset>&& offsets,
                       NameLayout layout) {
    m_chars = std::make_shared<PodVector<char>>(std::move(characters));
    m_offsets = std::move(offsets);
    m_layout = layout;
    releaseIndex();
}

void NameTable::clear() {
    // A new block: a model may still hold the old one.
    m_chars = std::make_shared<PodVector<char>>();
    m_offsets.clear();
    m_slots.clear();
    m_indexed = 0;
    m_addedRepeats = false;
    m_layout = NameLayout::kAsAdded;
}

std::size_t NameTable::memoryBytes() const {
    return m_chars->capacityBytes() + m_offsets.capacityBytes() + m_slots.capacityBytes();
}

}  // namespace orbxmps
