#pragma once

#include <cstddef>

namespace orbxmps {

// Faults in a fresh block about to be written all over at random (a hash table), whole pages
// in one call. Otherwise each page is first mapped to the shared zero page by a probe that
// reads it and then faults again when written, and that second fault flushes the TLB of every
// core the process runs on. A refusal (kernels before 5.14) leaves the pages to fault alone.
void populateForWriting(void* data, std::size_t bytes);

// Asks for 2 MB pages for a fresh block that starts on a 2 MB boundary, where they pay. They
// take one fault per 2 MB instead of 512, but a host that takes back the memory its guest
// leaves free can hand a fresh 2 MB page back twenty times slower a byte than 4 kB pages. So
// the first block's first 2 MB page is timed as it is faulted in: if it came slower than 4 kB
// pages come anywhere we measured, no block of the process asks for them.
void adviseLargePagesWherePaying(void* block, std::size_t bytes);

// The same for the whole 2 MB pages inside a fresh block that another allocator placed, so
// that it need not start on a boundary.
void adviseLargePagesInside(void* block, std::size_t bytes);

// The same for a block grown in place by the bytes after oldBytes; it never times.
void adviseLargePagesOnGrowth(void* block, std::size_t oldBytes, std::size_t newBytes);

}  // namespace orbxmps
