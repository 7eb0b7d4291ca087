#include "MpsRowLookup.h"

#include <exception>
#include <memory>
#include <system_error>
#include <thread>
#include <vector>

namespace orbxmps {

namespace {

// Runs work(1) on a second thread and work(0) here; false, running nothing, when no thread
// can be had.
// What either part throws (bad_alloc) is rethrown here once both have ended.
template <typename Work>
bool runOnTwoThreads(Work& work) {
    std::exception_ptr helperError;
    std::thread helper;
    try {
        helper = std::thread([&work, &helperError] {
            try {
                work(1);
            } catch (...) {
                helperError = std::current_exception();
            }
        });
    } catch (const std::system_error&) {
        return false;
    }
    try {
        work(0);
    } catch (...) {
        helper.join();
        throw;
    }
    helper.join();
    if (helperError) std::rethrow_exception(helperError);
    return true;
}

}  // namespace

MpsRowLookup::MpsRowLookup(const NameTable& names, std::size_t secondThreadFrom)
    : m_names(names) {
    std::size_t capacity = 64;
    while (capacity < names.size() * 2) capacity *= 2;
    m_slots.resize(capacity);
    m_mask = capacity - 1;
    m_cache.resize(std::size_t{1} << kCacheBits);
    if (names.size() < secondThreadFrom || !buildOnTwoThreads()) buildOnOneThread();
}

void MpsRowLookup::buildOnOneThread() {
    // Each row lands in a random slot, a cache miss: the hashes run a few rows ahead, so the
    // slot of a later row is fetched while this one is placed.
    constexpr std::size_t kAhead = 8;
    const std::size_t count = m_names.size();
    std::uint64_t hashes[kAhead];
    for (std::size_t index = 0; index < kAhead && index < count; ++index) {
        hashes[index] = NameTable::hash(m_names.name(index));
        prefetch(hashes[index]);
    }
    for (std::size_t index = 0; index < count; ++index) {
        const std::uint64_t hashValue = hashes[index % kAhead];
        if (index + kAhead < count) {
            hashes[index % kAhead] = NameTable::hash(m_names.name(index + kAhead));
            prefetch(hashes[index % kAhead]);
        }
        const std::string_view name = m_names.name(index);
        if (!inlineName(name)) continue;
        std::size_t slot = hashValue & m_mask;
        while (m_slots[slot].indexPlusOne != 0) slot = (slot + 1) & m_mask;
        m_slots[slot] = tableKeyOf(name, static_cast<std::uint32_t>(index));
    }
}

// Each thread hashes half of the names, then places the names whose home slot lies in its
// half of the table, within that half, in row order. A name whose probe would run past the
// half's end (rare: the table is at most half full) is placed afterwards with the usual
// probe. A lookup then finds what it finds after a one-thread build: every name lies after
// its home slot with no empty slot between, and of two equal names (a repeated row) the
// earlier row comes first, since both share a home slot and so a thread and its order.
bool MpsRowLookup::buildOnTwoThreads() {
    const std::size_t count = m_names.size();
    const auto hashes = std::make_unique_for_overwrite<std::uint64_t[]>(count);
    const std::size_t half = (m_mask + 1) / 2;
    std::vector<std::uint32_t> left[2];
    auto hashPart = [&](int part) {
        const std::size_t end = part == 0 ? count / 2 : count;
        for (std::size_t index = part == 0 ? 0 : count / 2; index < end; ++index)
            hashes[index] = NameTable::hash(m_names.name(index));
    };
    auto placePart = [&](int part) {
        constexpr std::size_t kAhead = 8;
        const std::size_t begin = part == 0 ? 0 : half;
        const std::size_t end = begin + half;
        for (std::size_t index = 0; index < count; ++index) {
            if (index + kAhead < count) {
                const std::size_t ahead = hashes[index + kAhead] & m_mask;
                if (ahead >= begin && ahead < end) __builtin_prefetch(&m_slots[ahead]);
            }
            std::size_t slot = hashes[index] & m_mask;
            if (slot < begin || slot >= end) continue;
            const std::string_view name = m_names.name(index);
            if (!inlineName(name)) continue;
            while (slot < end && m_slots[slot].indexPlusOne != 0) ++slot;
            if (slot == end)
                left[part].push_back(static_cast<std::uint32_t>(index));
            else
                m_slots[slot] = tableKeyOf(name, static_cast<std::uint32_t>(index));
        }
    };
    // Nothing is placed before both threads of a step run, so a refused thread leaves the
    // table empty for the one-thread build.
    if (!runOnTwoThreads(hashPart) || !runOnTwoThreads(placePart)) return false;
    for (const std::vector<std::uint32_t>& part : left)
        for (const std::uint32_t index : part) {
            std::size_t slot = hashes[index] & m_mask;
            while (m_slots[slot].indexPlusOne != 0) slot = (slot + 1) & m_mask;
            m_slots[slot] = tableKeyOf(m_names.name(index), index);
        }
    return true;
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
