#include "FreshPages.h"

#include <sys/mman.h>

#include <cstdint>

#ifndef MADV_POPULATE_WRITE
#define MADV_POPULATE_WRITE 23  // Linux 5.14
#endif

namespace orbxmps {

void populateForWriting(void* data, std::size_t bytes) {
    constexpr std::uintptr_t kPage = 4096;
    if (data == nullptr || bytes < kPage) return;
    // Whole pages inward: the block's neighbours in its first and last page may be in use.
    const auto begin = (reinterpret_cast<std::uintptr_t>(data) + kPage - 1) & ~(kPage - 1);
    const auto end = (reinterpret_cast<std::uintptr_t>(data) + bytes) & ~(kPage - 1);
    if (begin < end) ::madvise(reinterpret_cast<void*>(begin), end - begin, MADV_POPULATE_WRITE);
}

}  // namespace orbxmps
