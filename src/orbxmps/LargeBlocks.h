#pragma once

#include <cstddef>

namespace orbxmps {

// Memory for the load's big arrays, mapped on its own and aligned to 2 MB so that all of it,
// not just the middle of a malloc'd block, is backed by 2 MB pages. Where a page fault is
// dear (virtual machines), a 4 kB fault per page of a big array was a fifth of an open.
// Growing moves the pages to a new aligned place instead of copying them.
namespace largeblock {

// Blocks of at least this many bytes, room for one 2 MB page, are worth a mapping of their
// own. The mapping ends at the block's last 4 kB page: its tail takes small pages and the
// resident set no more than the block. Rounded up to whole 2 MB pages, the partly filled last
// page counted whole, and from 2 MB on a 5M open peaked 10% higher; from 8 MB on, the arrays
// of a 1M model took a 4 kB fault per page.
constexpr std::size_t kFrom = std::size_t{2} << 20;

// The bytes a block of bytes maps: whole 4 kB pages.
std::size_t mappedBytes(std::size_t bytes);

// A zeroed block of at least bytes, or nullptr when the system refuses.
void* allocate(std::size_t bytes);

// The block grown or shrunk to newBytes, keeping its first min(oldBytes, newBytes) bytes; a
// grown part reads as zero. nullptr when the system refuses, the old block then kept.
void* reallocate(void* block, std::size_t oldBytes, std::size_t newBytes);

// Gives back a block of bytes from allocate or reallocate.
void release(void* block, std::size_t bytes);

}  // namespace largeblock

}  // namespace orbxmps
