#pragma once

#include <cstddef>

namespace orbxmps {

// Asks the kernel to back a large block with 2 MB pages. For arrays read at random (hash
// indexes) this saves a TLB miss per lookup, for arrays that grow a page fault per 4 kB;
// smaller blocks and refusals are ignored.
void adviseHugePages(void* data, std::size_t bytes);

}  // namespace orbxmps
