#include "PageWarmer.h"

#include <pthread.h>
#include <sched.h>
#include <sys/mman.h>

#include <algorithm>
#include <cstdint>
#include <system_error>

#include "ParallelWork.h"

#ifndef MADV_POPULATE_WRITE
#define MADV_POPULATE_WRITE 23  // Linux 5.14; older kernels refuse it and nothing is warmed
#endif

namespace orbxmps {

namespace {

constexpr std::uintptr_t kPage = 4096;

// Faults in [from, to) of the element range of region, whole pages, without writing: the
// pages read as zero until the writer fills them. False when the kernel refuses.
bool populate(const PageWarmer::Region& region, std::size_t from, std::size_t to) {
    if (from >= to) return true;
    const auto base = reinterpret_cast<std::uintptr_t>(region.data);
    // Whole pages outward stay within malloc's mapping of a block this large.
    const std::uintptr_t begin = (base + from * region.elementSize) & ~(kPage - 1);
    const std::uintptr_t end = (base + to * region.elementSize + kPage - 1) & ~(kPage - 1);
    return ::madvise(reinterpret_cast<void*>(begin), end - begin, MADV_POPULATE_WRITE) == 0;
}

}  // namespace

void PageWarmer::start(const std::vector<Region>& regions) {
    if (regions.empty() || !parallelWorkAllowed()) return;
    std::size_t capacity = regions.front().capacity;
    for (const Region& region : regions) capacity = std::min(capacity, region.capacity);
    if (capacity < 2 * kLead) return;  // small arrays fault in little enough
    m_regions = regions;
    m_capacity = capacity;
    m_target = kLead;
    m_stop = false;  // a warmer may be started again after a stop
    m_nextSignal = kStep;
    try {
        m_thread = std::thread([this] { run(); });
    } catch (const std::system_error&) {
        m_nextSignal = static_cast<std::size_t>(-1);  // no thread: the writer faults alone
    }
}

void PageWarmer::signal(std::size_t count) {
    m_nextSignal = count + kStep;
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_target = std::min(count + kLead, m_capacity);
    }
    m_changed.notify_one();
}

void PageWarmer::stop() {
    m_nextSignal = static_cast<std::size_t>(-1);
    if (!m_thread.joinable()) return;
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_stop = true;
    }
    m_changed.notify_one();
    m_thread.join();
}

void PageWarmer::run() {
    // Idle time only: on two cores the threads that parse and fill set the pace, and a
    // warmer that shares their cores delays them by more than it spares the writer. Refused,
    // it runs as any thread would.
    sched_param idle{};
    pthread_setschedparam(pthread_self(), SCHED_IDLE, &idle);
    std::size_t done = 0;
    std::unique_lock<std::mutex> lock(m_mutex);
    for (;;) {
        m_changed.wait(lock, [&] { return m_stop || m_target > done; });
        if (m_stop) return;
        const std::size_t target = m_target;
        lock.unlock();
        bool refused = false;
        for (const Region& region : m_regions) refused |= !populate(region, done, target);
        lock.lock();
        if (refused) return;
        done = target;
    }
}

}  // namespace orbxmps
