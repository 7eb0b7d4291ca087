// orb-load-bench: loads one MPS model, writes it as ORB, and times loading each, in process and
// from a warm page cache, so that the two formats' reading rates can be set side by side.
//
//   orb-load-bench [--runs N] MODEL.mps [OUT.orb]
//
// Prints the first and the best of N runs (default 5) for: MPS load, ORB write, ORB load, and
// building what neither load makes and the first lookups do (name indexes and the row order).
// A first run allocates fresh memory, as opening a file in a new process does; later runs reuse
// what the previous one freed.

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <functional>
#include <string>

#include "OrbFile.h"
#include "orbxmps.h"

namespace {

using Clock = std::chrono::steady_clock;

struct Timing {
    double first = 0.0;
    double best = 1e300;
};

Timing timeRuns(int runs, const std::function<void()>& work) {
    Timing timing;
    for (int run = 0; run < runs; ++run) {
        const auto start = Clock::now();
        work();
        const double seconds = std::chrono::duration<double>(Clock::now() - start).count();
        if (run == 0) timing.first = seconds;
        if (seconds < timing.best) timing.best = seconds;
    }
    return timing;
}

void report(const char* what, Timing timing, std::uintmax_t bytes) {
    std::printf("%-20s first %7.3f s %8.1f MB/s   best %7.3f s %8.1f MB/s\n", what, timing.first,
                bytes / timing.first / 1e6, timing.best, bytes / timing.best / 1e6);
}

int run(int runs, const std::string& mpsPath, const std::string& orbPath) {
    using namespace orbxmps;
    ORBObject* object = nullptr;
    XMPSManager* manager = nullptr;
    if (!ORBObjectFactory(&object) || !CreateXMPSManagerObject(&manager)) return 1;
    manager->attach(object);
    manager->setInputFile(mpsPath);
    const std::uintmax_t mpsBytes = std::filesystem::file_size(mpsPath);
    report("MPS load", timeRuns(runs, [&] { manager->loadProblem(); }), mpsBytes);
    const MatrixStore& model = object->store();
    std::printf("%zu rows, %zu columns, %zu elements\n", model.rowCount(), model.columnCount(),
                model.elementCount());

    const Timing writing = timeRuns(runs, [&] { writeOrbFile(orbPath, model); });
    const std::uintmax_t orbBytes = std::filesystem::file_size(orbPath);
    report("ORB write", writing, orbBytes);
    MatrixStore loaded;
    report("ORB load", timeRuns(runs, [&] { readOrbFile(orbPath, loaded); }), orbBytes);
    const Timing rebuilding = timeRuns(runs, [&] {
        loaded.rowNames.rebuildIndex();
        loaded.columnNames.rebuildIndex();
        loaded.buildRowOrder();
    });
    report("indexes on first use", rebuilding, orbBytes);
    std::printf("MPS %ju bytes, ORB %ju bytes\n", mpsBytes, orbBytes);
    manager->release();
    object->release();
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    int runs = 5;
    int first = 1;
    if (argc > 2 && std::strcmp(argv[1], "--runs") == 0) {
        runs = std::atoi(argv[2]);
        first = 3;
    }
    if (argc - first < 1 || argc - first > 2 || runs < 1) {
        std::fprintf(stderr, "usage: orb-load-bench [--runs N] MODEL.mps [OUT.orb]\n");
        return 2;
    }
    const std::string mps = argv[first];
    const std::string orb = argc - first == 2 ? argv[first + 1] : mps + ".orb";
    try {
        return run(runs, mps, orb);
    } catch (const orbxmps::ORB_Exception& e) {
        std::fprintf(stderr, "orb-load-bench: %s\n", e.what());
        return 1;
    }
}
