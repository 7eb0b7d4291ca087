#include "FreshPages.h"

#include <sys/mman.h>

#include <atomic>
#include <cstdint>
#include <ctime>

#ifndef MADV_POPULATE_WRITE
#define MADV_POPULATE_WRITE 23  // Linux 5.14
#endif

namespace orbxmps {

void populateForWriting(void* data, std::size_t bytes) {
    constexpr std::uintptr_t kPage = 4096;
    if (data == nullptr || bytes < kPage) return;
    // Whole pages inward: the block's neighbours in its first and last page may be in use.
    const auto begin = (reinterpret_cast<std::uintptr_t>(data) + kPage - 1) & ~(kPage - 1);
    const auto end = (reinterpret_cast<std::uintptr_t>(data) + bytes) & ~(kPage - 1);
    if (begin < end) ::madvise(reinterpret_cast<void*>(begin), end - begin, MADV_POPULATE_WRITE);
}

namespace {

constexpr std::size_t kLargePage = std::size_t{2} << 20;
constexpr std::size_t kSmallPage = 4096;

// What a fresh 2 MB page costs depends on where the memory comes from, and changes while the
// process runs. A bare machine clears one in about 0.2 ms. Virtual machines here gave 0.15 to
// 0.2 ms for memory freed moments before, but 2.6 to 5 ms (one 20 ms) for memory the host had
// taken back during a pause, while the same 2 MB came as 4 kB pages in 0.5 to 5.5 ms. So 4 kB
// pages are timed once, aside, and each block's first 2 MB page against them: one that did not
// pay ends 2 MB pages for the process.
enum class LargePages { kUntried, kMeasuring, kPaying, kNotPaying };
std::atomic<LargePages> largePages{LargePages::kUntried};
std::atomic<std::int64_t> smallPagesNanos{0};

// The thread's CPU time: what a fault cost, without the time the thread waited for a core.
std::int64_t threadNanos() {
    timespec now{};
    ::clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return std::int64_t{now.tv_sec} * 1'000'000'000 + now.tv_nsec;
}

bool adviseLarge(void* data, std::size_t bytes) {
    return ::madvise(data, bytes, MADV_HUGEPAGE) == 0;  // a refusal leaves 4 kB pages
}

// What 2 MB of fresh 4 kB pages cost, from a stretch of them faulted in aside; 0 (2 MB pages
// never pay) when no stretch could be mapped.
std::int64_t smallPagesCost() {
    constexpr std::size_t kStretch = std::size_t{256} << 10;
    void* stretch =
        ::mmap(nullptr, kStretch, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    if (stretch == MAP_FAILED) return 0;  // too short to hold a 2 MB page, whatever the setting
    const std::int64_t start = threadNanos();
    auto* bytes = static_cast<volatile char*>(stretch);
    for (std::size_t at = 0; at < kStretch; at += kSmallPage) bytes[at] = 0;
    const std::int64_t cost = threadNanos() - start;
    ::munmap(stretch, kStretch);
    return cost * static_cast<std::int64_t>(kLargePage / kStretch);
}

// Faults in the 2 MB page at data, advised already, and says whether it paid. Up to twice the
// cost of the same bytes as 4 kB pages it does: a bare machine's two are close, and the
// 2 MB page spares the misses of the address lookups that follow.
bool largePagePays(void* data) {
    const std::int64_t start = threadNanos();
    *static_cast<volatile char*>(data) = 0;
    return threadNanos() - start < 2 * smallPagesNanos.load(std::memory_order_relaxed);
}

}  // namespace

// A block's advice always covers the whole block: the kernel cannot grow or move a block whose
// pages carry two kinds (largeblock::reallocate would fail).
void adviseLargePagesWherePaying(void* block, std::size_t bytes) {
    if (bytes < kLargePage) return;
    LargePages state = largePages.load(std::memory_order_relaxed);
    if (state == LargePages::kUntried &&
        largePages.compare_exchange_strong(state, LargePages::kMeasuring)) {
        smallPagesNanos.store(smallPagesCost());
        largePages.store(state = LargePages::kPaying);  // until a 2 MB page says otherwise
    }
    // While another thread measures, blocks go without.
    if (state != LargePages::kPaying || !adviseLarge(block, bytes) || largePagePays(block)) return;
    largePages.store(LargePages::kNotPaying);
    ::madvise(block, bytes, MADV_NOHUGEPAGE);
}

void adviseLargePagesInside(void* block, std::size_t bytes) {
    const auto begin =
        (reinterpret_cast<std::uintptr_t>(block) + kLargePage - 1) & ~(kLargePage - 1);
    const auto end = (reinterpret_cast<std::uintptr_t>(block) + bytes) & ~(kLargePage - 1);
    // Only advised: the block may hold what was copied into it, so nothing is faulted in here.
    if (begin < end && largePages.load(std::memory_order_relaxed) == LargePages::kPaying)
        adviseLarge(reinterpret_cast<void*>(begin), end - begin);
}

void adviseLargePagesOnGrowth(void* block, std::size_t bytes) {
    const bool paying = largePages.load(std::memory_order_relaxed) == LargePages::kPaying;
    ::madvise(block, bytes, paying ? MADV_HUGEPAGE : MADV_NOHUGEPAGE);
}

}  // namespace orbxmps
