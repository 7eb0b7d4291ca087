#include "BuildPauses.h"

#include <thread>

namespace {

// Far above any count of clicks pausing at once, which add and take away 1 each.
constexpr int kStopped = 1 << 30;

}  // namespace

bool buildMayGo(const BuildPauses& pauses, BuildPauses::Clock::time_point now) {
    return pauses.count.load(std::memory_order_acquire) <= 0 &&
           now.time_since_epoch().count() >= pauses.quietUntil.load(std::memory_order_acquire);
}

void waitWhileBuildPaused(const BuildPauses* pauses) {
    if (pauses == nullptr) return;
    constexpr auto kStep = std::chrono::microseconds(100);
    for (int step = 0;; ++step) {
        if (pauses->count.load(std::memory_order_acquire) >= kStopped / 2) throw BuildStopped();
        if (step == 2000 || buildMayGo(*pauses, BuildPauses::Clock::now())) return;
        std::this_thread::sleep_for(kStep);
    }
}

bool quietBuildFor(BuildPauses& pauses, BuildPauses::Clock::duration spell) {
    const auto now = BuildPauses::Clock::now();
    const auto end = (now + spell).time_since_epoch().count();
    const auto earliest = (now - spell).time_since_epoch().count();
    auto current = pauses.quietUntil.load(std::memory_order_relaxed);
    while (current <= earliest) {
        if (pauses.quietUntil.compare_exchange_weak(current, end, std::memory_order_acq_rel))
            return true;
    }
    return false;
}

void endQuietSpell(BuildPauses& pauses) { pauses.quietUntil.store(0, std::memory_order_release); }

void stopBuild(BuildPauses& pauses) { pauses.count.fetch_add(kStopped, std::memory_order_acq_rel); }
