#include "LargeBlocks.h"

#include <sys/mman.h>

#include <cstdint>

#include "FreshPages.h"

namespace orbxmps::largeblock {

namespace {

constexpr std::size_t kAlignment = std::size_t{2} << 20;
constexpr std::size_t kPage = 4096;

// Reserves bytes (whole pages) at a 2 MB boundary: maps 2 MB more than asked and gives back
// the unaligned ends.
void* mapAligned(std::size_t bytes) {
    const std::size_t reserved = bytes + kAlignment;
    void* raw = ::mmap(nullptr, reserved, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    if (raw == MAP_FAILED) return nullptr;
    const auto begin = reinterpret_cast<std::uintptr_t>(raw);
    const std::uintptr_t aligned = (begin + kAlignment - 1) & ~(kAlignment - 1);
    if (aligned != begin) ::munmap(raw, aligned - begin);
    const std::uintptr_t end = begin + reserved;
    if (end != aligned + bytes) ::munmap(reinterpret_cast<void*>(aligned + bytes), end - aligned - bytes);
    return reinterpret_cast<void*>(aligned);
}

}  // namespace

std::size_t wholeLargePages(std::size_t bytes) {
    return (bytes + kAlignment - 1) & ~(kAlignment - 1);
}

std::size_t mappedBytes(std::size_t bytes) { return (bytes + kPage - 1) & ~(kPage - 1); }

void* allocate(std::size_t bytes) {
    const std::size_t mapped = mappedBytes(bytes);
    void* block = mapAligned(mapped);
    if (block != nullptr) adviseLargePagesWherePaying(block, mapped);
    return block;
}

void* reallocate(void* block, std::size_t oldBytes, std::size_t newBytes) {
    const std::size_t oldMapped = mappedBytes(oldBytes);
    const std::size_t newMapped = mappedBytes(newBytes);
    if (newMapped == oldMapped) return block;
    if (newMapped < oldMapped) {
        ::munmap(static_cast<char*>(block) + newMapped, oldMapped - newMapped);
        return block;
    }
    // In place when the address space behind the block is free.
    if (::mremap(block, oldMapped, newMapped, 0) != MAP_FAILED) {
        adviseLargePagesOnGrowth(block, newMapped);
        return block;
    }
    // Otherwise the old pages move to the head of a new aligned place: both start on a 2 MB
    // boundary, so the kernel moves whole page tables, 2 MB at a time, and copies no data. The
    // block is moved and grown in one call, which keeps it one mapping: moved into a mapping of
    // its own, it would be two, which kernels before 6.17 refuse to grow or move again.
    void* grown = mapAligned(newMapped);
    if (grown == nullptr) return nullptr;
    if (::mremap(block, oldMapped, newMapped, MREMAP_MAYMOVE | MREMAP_FIXED, grown) == MAP_FAILED) {
        ::munmap(grown, newMapped);
        return nullptr;
    }
    adviseLargePagesOnGrowth(grown, newMapped);
    return grown;
}

void release(void* block, std::size_t bytes) {
    if (block != nullptr) ::munmap(block, mappedBytes(bytes));
}

}  // namespace orbxmps::largeblock
