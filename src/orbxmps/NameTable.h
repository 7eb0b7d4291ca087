#pragma once

#include <cstdint>
#include <cstring>
#include <memory>
#include <string_view>

#include "PodVector.h"

namespace orbxmps {

// Names of rows or of columns, stored once, NUL-terminated, in one block of characters, with a
// hash index for lookup by exact (case-sensitive, byte-wise) name. Indexes are 0-based and
// follow the order in which the names were added.
// Offsets of names in a table's characters: 4 bytes a name, so a table holds at most 4 GiB
// of names.
using NameOffset = std::uint32_t;

// Where the names lie in a table's characters: in the order they were added, or in their name
// order (as an ORB file lays them out), each offset then pointing anywhere in the block.
enum class NameLayout { kAsAdded, kNameOrder };

class NameTable {
public:
    static constexpr std::int64_t kNotFound = -1;

    std::size_t size() const { return m_offsets.size(); }

    // Adds a name without checking for duplicates; returns its index.
    std::uint32_t add(std::string_view name);

    // Adds a name unless it is there already. Returns the index and whether it was added.
    std::pair<std::uint32_t, bool> insert(std::string_view name);

    // Adds a name that is there already (a file may repeat one); a lookup finds one of them,
    // as a rule the first.
    std::uint32_t addRepeated(std::string_view name, std::uint64_t hashValue);
    // Whether addRepeated() added a name since the table was made or cleared.
    bool hasAddedRepeats() const { return m_addedRepeats; }

    // Index of the name, or kNotFound. When names repeat, one of them.
    std::int64_t find(std::string_view name) const;

    // The same with the name's hash() already known, so a bulk reader can hash and
    // prefetch() a batch of names before looking them up.
    std::pair<std::uint32_t, bool> insert(std::string_view name, std::uint64_t hashValue);
    std::int64_t find(std::string_view name, std::uint64_t hashValue) const;
    void prefetch(std::uint64_t hashValue) const {
        if (!m_slots.empty())
            __builtin_prefetch(&m_slots[(hashValue >> 32) & (m_slots.size() - 1)]);
    }
    // Once the slot is in: the characters of the name that find() will most likely compare.
    void prefetchCandidate(std::uint64_t hashValue) const;

    std::string_view name(std::size_t index) const {
        const std::uint64_t begin = m_offsets[index];
        if (m_layout == NameLayout::kNameOrder) return m_chars->data() + begin;
        const std::uint64_t end =
            index + 1 < m_offsets.size() ? m_offsets[index + 1] : m_chars->size();
        return {m_chars->data() + begin, static_cast<std::size_t>(end - begin - 1)};
    }
    const char* cName(std::size_t index) const { return m_chars->data() + m_offsets[index]; }
    // Keeps the characters that cName() points into alive after the table is cleared or
    // destroyed, so a model built from a loaded matrix can use its names without copying them.
    // Taken only once a load is complete: adding names may move the characters.
    std::shared_ptr<const void> characterOwner() const { return m_chars; }
    // Likewise for the offsets, which a model borrows as its table of row names.
    std::shared_ptr<const void> offsetOwner() { return m_offsets.shareStorage(); }

    // Builds the hash index over names added with add(); insert() and find() keep it current.
    void rebuildIndex() const;
    // Frees the hash index; the next lookup builds it again. A loaded matrix is mostly walked
    // by position, so its index need not occupy memory while the document builds its model.
    void releaseIndex() const;
    // Whether find() would answer from the index without building it first.
    bool indexCurrent() const { return m_indexed == m_offsets.size(); }

    void reserve(std::size_t names, std::size_t characters);
    // Sizes an empty table's index for names to come, so that it need not grow on the way.
    // Its pages are left to the names that land in them: a count that overshoots costs
    // address space, not memory.
    void reserveIndex(std::size_t names);
    // Takes names already laid out (NUL-terminated characters, and each name's first
    // character's offset); the index follows at the first lookup. The caller has checked
    // the layout.
    void assign(PodVector<char>&& characters, PodVector<NameOffset>&& offsets,
                NameLayout layout = NameLayout::kAsAdded);
    NameLayout layout() const { return m_layout; }
    const PodVector<char>& characters() const { return *m_chars; }
    const PodVector<NameOffset>& offsets() const { return m_offsets; }
    void clear();
    std::size_t memoryBytes() const;

    static std::uint64_t hash(std::string_view name);

    // Equality of two names, inline and without a library call for names up to 32 bytes:
    // a reader compares names several times per line.
    static bool same(std::string_view a, std::string_view b) {
        const std::size_t n = a.size();
        if (n != b.size()) return false;
        if (n > 32) return std::memcmp(a.data(), b.data(), n) == 0;
        if (n > 16)
            return load<std::uint64_t>(a, 0) == load<std::uint64_t>(b, 0) &&
                   load<std::uint64_t>(a, 8) == load<std::uint64_t>(b, 8) &&
                   load<std::uint64_t>(a, n - 16) == load<std::uint64_t>(b, n - 16) &&
                   load<std::uint64_t>(a, n - 8) == load<std::uint64_t>(b, n - 8);
        if (n >= 8)
            return load<std::uint64_t>(a, 0) == load<std::uint64_t>(b, 0) &&
                   load<std::uint64_t>(a, n - 8) == load<std::uint64_t>(b, n - 8);
        if (n >= 4)
            return load<std::uint32_t>(a, 0) == load<std::uint32_t>(b, 0) &&
                   load<std::uint32_t>(a, n - 4) == load<std::uint32_t>(b, n - 4);
        for (std::size_t i = 0; i < n; ++i)
            if (a[i] != b[i]) return false;
        return true;
    }

private:
    template <typename Word>
    static Word load(std::string_view text, std::size_t at) {
        Word word;
        std::memcpy(&word, text.data() + at, sizeof word);
        return word;
    }

    bool overloaded(std::size_t names) const;
    static std::size_t capacityFor(std::size_t names);
    void growIndex();
    void placeInIndex(std::uint32_t index, std::uint64_t hashValue) const;
    void placeInIndex(std::uint64_t entry) const;

    std::shared_ptr<PodVector<char>> m_chars = std::make_shared<PodVector<char>>();
    PodVector<NameOffset> m_offsets;
    // Open addressing; a slot holds (high hash bits << 32) | (index + 1), 0 when empty.
    // Mutable: a lookup on a table whose index was released or never built builds it.
    mutable PodVector<std::uint64_t> m_slots;
    mutable std::size_t m_indexed = 0;
    bool m_addedRepeats = false;
    NameLayout m_layout = NameLayout::kAsAdded;
};

}  // namespace orbxmps
