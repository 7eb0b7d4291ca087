#pragma once

namespace orbxmps {

// Whether reading and loading a model may put work on threads besides the caller's: the
// line-filling and inflating threads, the page warmer, the checksum and the two-thread sorts.
// Every result is the same either way; the one-thread path is kept so that the two can be
// compared. Allowed unless the environment sets NORVA_READ_THREADS=1.
bool parallelWorkAllowed();
void allowParallelWork(bool allowed);

}  // namespace orbxmps
