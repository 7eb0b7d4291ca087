#pragma once

#include <cstddef>

namespace orbxmps {

// Faults in a fresh block about to be written all over at random (a hash table), whole pages
// in one call. Otherwise each page is first mapped to the shared zero page by a probe that
// reads it and then faults again when written, and that second fault flushes the TLB of every
// core the process runs on. A refusal (kernels before 5.14) leaves the pages to fault alone.
void populateForWriting(void* data, std::size_t bytes);

}  // namespace orbxmps
