#pragma once

#include <cstddef>

namespace orbxmps {

// Faults in a fresh block about to be written all over at random (a hash table), whole pages
// in one call. Otherwise each page is first mapped to the shared zero page by a probe that
// reads it and then faults again when written, and that second fault flushes the TLB of every
// core the process runs on. A refusal (kernels before 5.14) leaves the pages to fault alone.
void populateForWriting(void* data, std::size_t bytes);

// Asks for 2 MB pages for a fresh (untouched, zeroed) block that starts on a 2 MB boundary,
// where they pay. They take one fault per 2 MB instead of 512, but a host that takes back the
// memory its guest leaves free can hand a fresh 2 MB page back ten to twenty times slower than
// the same bytes in 4 kB pages, and that can change while the process runs. So each block's
// first 2 MB page is faulted in here and timed against 4 kB pages (measured once): once one
// does not pay, no block of the process asks for them again.
void adviseLargePagesWherePaying(void* block, std::size_t bytes);

// Asks for 2 MB pages for the whole 2 MB pages inside a block that another allocator placed,
// so that it need not start on a boundary, while they pay; nothing in it is touched.
void adviseLargePagesInside(void* block, std::size_t bytes);

// The same for a block of bytes that was grown, in place or moved, by the kernel; it never times.
void adviseLargePagesOnGrowth(void* block, std::size_t bytes);

}  // namespace orbxmps
