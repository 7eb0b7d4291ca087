#pragma once

#include <cstddef>
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

// runAlongside() when twoThreads, for work that a thread pays off only from some size on;
// otherwise side, then main, here.
template <typename Side, typename Main>
void runAlongsideIf(bool twoThreads, Side side, Main main) {
    if (twoThreads) return runAlongside(side, main);
    side();
    main();
}

// Where work over count items splits to run in two halves side by side: at the middle from
// halvesFrom items on, where parallel work is allowed; otherwise at count, in one part.
inline std::size_t splitOf(std::size_t count, std::size_t halvesFrom) {
    return count >= halvesFrom && parallelWorkAllowed() ? count / 2 : count;
}

// Calls part(0, split) and, when split < count, part(split, count) alongside it.
template <typename Part>
void runSplitAt(std::size_t split, std::size_t count, const Part& part) {
    if (split == count) return part(std::size_t{0}, count);
    runAlongside([&part, split, count] { part(split, count); },
                 [&part, split] { part(std::size_t{0}, split); });
}

// Calls part(from, to) over ranges that cover 0 to count once each, in two halves side by
// side from halvesFrom items on.
template <typename Part>
void runInHalves(std::size_t count, std::size_t halvesFrom, const Part& part) {
    runSplitAt(splitOf(count, halvesFrom), count, part);
}

}  // namespace orbxmps
