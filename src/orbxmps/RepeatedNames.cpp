#include "RepeatedNames.h"

#include <algorithm>
#include <memory>
#include <string_view>
#include <unordered_map>

namespace orbxmps {

namespace {

// Keys are a name's 32-bit hash above its index. Sorting by the hash alone, least
// significant digit first (stable), leaves each run of equal hashes in index order. Digits of
// 11 bits keep the scatter's 2048 destinations in cache; wider ones measured slower.
constexpr int kDigitBits = 11;
constexpr std::uint64_t kDigitMask = (1u << kDigitBits) - 1;

// Three passes: the sorted keys end in spare.
void sortByHash(std::uint64_t* keys, std::uint64_t* spare, std::size_t size) {
    std::vector<std::size_t> counts(1u << kDigitBits);
    for (const int shift : {32, 32 + kDigitBits, 32 + 2 * kDigitBits}) {
        std::fill(counts.begin(), counts.end(), 0);
        for (std::size_t i = 0; i < size; ++i) ++counts[(keys[i] >> shift) & kDigitMask];
        std::size_t at = 0;
        for (std::size_t& count : counts) {
            const std::size_t n = count;
            count = at;
            at += n;
        }
        for (std::size_t i = 0; i < size; ++i)
            spare[counts[(keys[i] >> shift) & kDigitMask]++] = keys[i];
        std::swap(keys, spare);
    }
}

// Within a run of equal hashes, the names that repeat one before them.
void collectRepeats(const NameTable& names, const std::uint64_t* run, std::size_t size,
                    std::vector<std::uint32_t>& repeats) {
    std::unordered_map<std::string_view, std::uint32_t> seen;
    for (std::size_t i = 0; i < size; ++i) {
        const auto index = static_cast<std::uint32_t>(run[i]);
        if (!seen.emplace(names.name(index), index).second) repeats.push_back(index);
    }
}

}  // namespace

std::vector<std::uint32_t> repeatedNames(const NameTable& names) {
    const std::size_t size = names.size();
    std::vector<std::uint32_t> repeats;
    if (size < 2) return repeats;
    // Uninitialised: every key is written before it is read.
    const std::unique_ptr<std::uint64_t[]> keys(new std::uint64_t[size]);
    const std::unique_ptr<std::uint64_t[]> spare(new std::uint64_t[size]);
    for (std::size_t i = 0; i < size; ++i)
        keys[i] = (NameTable::hash(names.name(i)) & 0xFFFFFFFF00000000ull) | i;
    sortByHash(keys.get(), spare.get(), size);
    const std::uint64_t* sorted = spare.get();
    for (std::size_t begin = 0; begin < size;) {
        std::size_t end = begin + 1;
        while (end < size && (sorted[end] >> 32) == (sorted[begin] >> 32)) ++end;
        if (end - begin > 1) collectRepeats(names, sorted + begin, end - begin, repeats);
        begin = end;
    }
    std::sort(repeats.begin(), repeats.end());
    return repeats;
}

}  // namespace orbxmps
