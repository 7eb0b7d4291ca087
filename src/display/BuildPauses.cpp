#include "BuildPauses.h"

#include <algorithm>
#include <thread>

namespace {

// Far above any count of clicks pausing at once, which add and take away 1 each.
constexpr int kStopped = 1 << 30;
// Spells in a run at most.
constexpr int kLongestRun = 8;

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

// Only the view's thread asks for spells; the work reads quietUntil alone.
bool quietBuildFor(BuildPauses& pauses, BuildPauses::Clock::duration spell,
                   BuildPauses::Clock::time_point now) {
    const auto at = now.time_since_epoch().count();
    const auto until = pauses.quietUntil.load(std::memory_order_acquire);
    const auto since = pauses.quietSince.load(std::memory_order_relaxed);
    const bool on = at < until;
    const bool given = on ? at - since < kLongestRun * spell.count() : at - until >= until - since;
    if (!given) return false;
    if (!on) pauses.quietSince.store(at, std::memory_order_relaxed);
    pauses.quietUntil.store(std::max(until, at + spell.count()), std::memory_order_release);
    return true;
}

void endQuietSpell(BuildPauses& pauses) { pauses.quietUntil.store(0, std::memory_order_release); }

void stopBuild(BuildPauses& pauses) { pauses.count.fetch_add(kStopped, std::memory_order_acq_rel); }
