#include "ParallelWork.h"

#include <atomic>
#include <cstdlib>
#include <cstring>

namespace orbxmps {

namespace {

bool allowedByEnvironment() {
    const char* value = std::getenv("NORVA_READ_THREADS");
    return value == nullptr || std::strcmp(value, "1") != 0;
}

std::atomic<bool>& allowedFlag() {
    static std::atomic<bool> allowed{allowedByEnvironment()};
    return allowed;
}

}  // namespace

bool parallelWorkAllowed() { return allowedFlag().load(std::memory_order_relaxed); }

void allowParallelWork(bool allowed) { allowedFlag().store(allowed, std::memory_order_relaxed); }

}  // namespace orbxmps
