#pragma once

#include <cstddef>

namespace orbxmps {

// Asks the kernel to back a large block with 2 MB pages. For arrays read at random (hash
// indexes) this saves a TLB miss per lookup, for arrays that grow a page fault per 4 kB;
// smaller blocks and refusals are ignored.
void adviseHugePages(void* data, std::size_t bytes);

// Faults in a fresh block about to be written all over at random (a hash table), whole pages
// in one call. Otherwise each page is first mapped to the shared zero page by a probe that
// reads it and then faults again when written, and that second fault flushes the TLB of every
// core the process runs on. A refusal (kernels before 5.14) leaves the pages to fault alone.
void populateForWriting(void* data, std::size_t bytes);

}  // namespace orbxmps
