#include "HugePages.h"

#include <sys/mman.h>

#include <cstdint>

#ifndef MADV_POPULATE_WRITE
#define MADV_POPULATE_WRITE 23  // Linux 5.14
#endif

namespace orbxmps {

namespace {
constexpr int kPopulateWrite = MADV_POPULATE_WRITE;
}  // namespace


void adviseHugePages(void* data, std::size_t bytes) {
    constexpr std::uintptr_t kPage = 4096;
    constexpr std::size_t kHugePage = 2 * 1024 * 1024;
    if (data == nullptr || bytes < kHugePage) return;
    // Whole pages, outward: malloc's own mapping of a large block starts a few bytes before
    // the data and ends after it, and advice on only part of it would split the mapping in
    // two, after which realloc can no longer move it with mremap and copies it instead.
    const auto begin = reinterpret_cast<std::uintptr_t>(data) & ~(kPage - 1);
    const auto end = (reinterpret_cast<std::uintptr_t>(data) + bytes + kPage - 1) & ~(kPage - 1);
    ::madvise(reinterpret_cast<void*>(begin), end - begin, MADV_HUGEPAGE);
}

void populateForWriting(void* data, std::size_t bytes) {
    constexpr std::uintptr_t kPage = 4096;
    if (data == nullptr || bytes < kPage) return;
    // Whole pages inward: the block's neighbours in its first and last page may be in use.
    const auto begin = (reinterpret_cast<std::uintptr_t>(data) + kPage - 1) & ~(kPage - 1);
    const auto end = (reinterpret_cast<std::uintptr_t>(data) + bytes) & ~(kPage - 1);
    if (begin < end) ::madvise(reinterpret_cast<void*>(begin), end - begin, kPopulateWrite);
}

}  // namespace orbxmps
