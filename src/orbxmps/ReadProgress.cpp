#include "ReadProgress.h"

namespace orbxmps {

namespace {

std::atomic<ReadProgress*> g_progress{nullptr};

}  // namespace

void setReadProgress(ReadProgress* progress) {
    g_progress.store(progress, std::memory_order_release);
}

void countReadBytes(std::uint64_t bytes) {
    if (ReadProgress* progress = g_progress.load(std::memory_order_acquire))
        progress->countBytes(bytes);
}

void noteReadSection(std::string_view section) {
    if (ReadProgress* progress = g_progress.load(std::memory_order_acquire))
        progress->enterSection(section);
}

void checkReadProgress() {
    ReadProgress* progress = g_progress.load(std::memory_order_acquire);
    if (progress != nullptr && !progress->proceed()) throw ReadCancelled();
}

}  // namespace orbxmps
