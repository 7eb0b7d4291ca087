#pragma once

#include <atomic>
#include <chrono>
#include <exception>

// What work done aside for the view (the row index and what comes with it) waits on between
// its stretches: the clicks answered meanwhile without it, each adding 1 to count while it
// runs; a quiet spell after a click, until quietUntil, through the paint that follows; and a
// stop (stopBuild), for good.
struct BuildPauses {
    using Clock = std::chrono::steady_clock;

    std::atomic<int> count{0};
    std::atomic<Clock::rep> quietUntil{0};  // the spell's end, in the clock's ticks
    std::atomic<Clock::rep> quietSince{0};  // the start of the spells run into it
};

// Whether work waiting on pauses may go on at now: no click under way and no quiet spell.
bool buildMayGo(const BuildPauses& pauses, BuildPauses::Clock::time_point now);

// Waits until the work may go on, for at most a fifth of a second: a pause that is never
// released must not hold the work, which the document waits for, for good. Once the work is
// stopped, throws BuildStopped instead.
void waitWhileBuildPaused(const BuildPauses* pauses);

// Holds the work from now for spell; unlike a count, a spell ends by itself, as the view's
// thread may wait for the work before it could end it. A spell asked for during one runs on
// from it, for up to eight spells in all; after such a run, the work goes on for as long as
// the run lasted before another spell is given. Choices in quick succession (a key held down,
// a script) so leave the work at least half of the time. False when no spell was given.
bool quietBuildFor(BuildPauses& pauses, BuildPauses::Clock::duration spell,
                   BuildPauses::Clock::time_point now = BuildPauses::Clock::now());

// Ends a spell under way: for a caller about to wait for the work.
void endQuietSpell(BuildPauses& pauses);

// What work done aside throws at its next stretch once stopped: its model is about to go.
struct BuildStopped : std::exception {
    const char* what() const noexcept override { return "a build aside was stopped"; }
};
// Stops, for good, the work that waits on pauses between its stretches.
void stopBuild(BuildPauses& pauses);
