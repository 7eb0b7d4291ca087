#include "MallocTuning.h"

#include <malloc.h>

namespace orbxmps {

void keepLargeBlocksMapped() {
#if defined(__GLIBC__)
    constexpr int kThreshold = 256 * 1024;
    static const bool done = ::mallopt(M_MMAP_THRESHOLD, kThreshold) != 0;
    (void)done;
#endif
}

}  // namespace orbxmps
