#pragma once

#include <cstddef>

namespace orbxmps {

// Memory for the load's big arrays, mapped on its own and aligned to 2 MB, so that growing
// moves the pages to a new aligned place, whole page tables at a time, instead of copying
// them. Its whole 2 MB stretches are asked for as 2 MB pages where the first one faulted in
// quickly (adviseLargePagesWherePaying).
namespace largeblock {

// Blocks of at least this many bytes are worth a mapping of their own. The mapping ends at
// the block's last 4 kB page, so the resident set is no more than the block.
constexpr std::size_t kFrom = std::size_t{2} << 20;

// Scratch from this size may be rounded up to whole 2 MB pages (wholeLargePages).
constexpr std::size_t kLargePagesFrom = std::size_t{1} << 20;

// bytes rounded up to whole 2 MB pages.
std::size_t wholeLargePages(std::size_t bytes);

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
