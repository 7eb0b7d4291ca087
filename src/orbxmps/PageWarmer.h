#pragma once

#include <condition_variable>
#include <cstddef>
#include <mutex>
#include <thread>
#include <vector>

namespace orbxmps {

// Faults in the pages of arrays being filled, on a thread of its own that runs in the cores'
// idle time, a little ahead of the thread that fills them. The kernel clears every fresh page
// when it is first touched; without this, that clearing is a good part of the filling
// thread's time. Only a bounded lead is faulted in, so the peak memory stays that of the
// written part.
class PageWarmer {
public:
    // An array reserved ahead: data holds capacity elements of elementSize bytes.
    struct Region {
        void* data;
        std::size_t capacity;
        std::size_t elementSize;
    };

    // Elements faulted in ahead of the writer, and how far it moves between signals.
    // The lead, 512 kB of the wider array, adds to the peak memory of a small model, whose
    // peak is its parse: a longer one gained no speed.
    static constexpr std::size_t kLead = std::size_t{1} << 16;
    static constexpr std::size_t kStep = std::size_t{1} << 14;

    PageWarmer() = default;
    ~PageWarmer() { stop(); }
    PageWarmer(const PageWarmer&) = delete;
    PageWarmer& operator=(const PageWarmer&) = delete;

    // Starts the thread when the regions are large enough to be worth it; all regions hold
    // the same count of elements (the parallel arrays of one matrix).
    void start(const std::vector<Region>& regions);
    // The writer has filled count elements of each region. It must call stop() before any
    // region grows past its capacity (and moves).
    void reached(std::size_t count) {
        if (count >= m_nextSignal) signal(count);
    }
    void stop();
    bool running() const { return m_thread.joinable(); }
    std::size_t capacity() const { return m_capacity; }

private:
    void signal(std::size_t count);
    void run();

    std::vector<Region> m_regions;
    std::size_t m_capacity = 0;
    std::size_t m_nextSignal = static_cast<std::size_t>(-1);
    std::mutex m_mutex;
    std::condition_variable m_changed;
    std::size_t m_target = 0;  // elements to have faulted in; under m_mutex
    bool m_stop = false;
    std::thread m_thread;
};

}  // namespace orbxmps
