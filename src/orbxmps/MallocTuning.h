#pragma once

namespace orbxmps {

// Fixes malloc's threshold for giving large blocks their own mapping. glibc otherwise raises
// it to the size of each large block freed (up to 32 MB), after which arrays below it grow by
// allocate-copy-free on the heap instead of by mremap: slower, and a transient second copy
// that PodVector exists to avoid. Runs once per process.
void keepLargeBlocksMapped();

}  // namespace orbxmps
