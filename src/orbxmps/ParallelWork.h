#pragma once

#include <future>
#include <system_error>

namespace orbxmps {

// Whether reading and loading a model may put work on threads besides the caller's: the
// line-filling and inflating threads, the page warmer, the checksum and the two-thread sorts.
// Every result is the same either way; the one-thread path is kept so that the two can be
// compared. Allowed unless the environment sets NORVA_READ_THREADS=1.
bool parallelWorkAllowed();
void allowParallelWork(bool allowed);

// Runs side on a second thread, where allowed and one can be had, while main runs on this one;
// otherwise side, then main, here. Returns once both are done and rethrows what either threw
// (should main throw, the future's destructor waits for side first).
template <typename Side, typename Main>
void runAlongside(Side side, Main main) {
    std::future<void> task;
    if (parallelWorkAllowed()) {
        try {
            task = std::async(std::launch::async, side);
        } catch (const std::system_error&) {
            // No thread to be had: side runs below, on this one.
        }
    }
    if (!task.valid()) side();
    main();
    if (task.valid()) task.get();
}

}  // namespace orbxmps
