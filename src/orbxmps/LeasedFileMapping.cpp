#include "LeasedFileMapping.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <cstring>
#include <thread>

namespace orbxmps {

namespace {

// A mapping's way through its slot. The signal handler and the owner both move it on with
// compare-and-swap, so that bytes are never moved while they are unmapped, nor the other way.
enum State : int { kFree, kClaimed, kLeased, kMoving, kMoved, kClosing };

struct Slot {
    std::atomic<int> state{kFree};
    std::atomic<int> fd{-1};
    unsigned char* data = nullptr;  // written before the state becomes kLeased
    std::size_t size = 0;
};

// Files open at once; beyond them, files are read instead.
constexpr int kSlots = 64;
Slot g_slots[kSlots];
std::atomic<bool> g_allowed{true};

// A real-time signal, so that breaks of two leases at once are both delivered.
int leaseSignal() { return SIGRTMIN + 6; }

// In the signal handler: only async-signal-safe calls. The copy goes into fresh anonymous
// memory that is then moved over the file's pages in one step, so readers on other threads
// see the same bytes throughout.
void moveIntoOwnMemory(const Slot& slot) {
    void* own = ::mmap(nullptr, slot.size, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS,
                       -1, 0);
    if (own == MAP_FAILED) return;  // nothing better to do than let the writer go on
    std::memcpy(own, slot.data, slot.size);
    if (::mremap(own, slot.size, slot.size, MREMAP_MAYMOVE | MREMAP_FIXED, slot.data) ==
        MAP_FAILED)
        ::munmap(own, slot.size);
}

void onLeaseBreak(int, siginfo_t* info, void*) {
    const int savedErrno = errno;
    for (Slot& slot : g_slots) {
        if (slot.state.load() != kLeased || slot.fd.load() != info->si_fd) continue;
        int leased = kLeased;
        if (!slot.state.compare_exchange_strong(leased, kMoving)) continue;
        moveIntoOwnMemory(slot);
        ::fcntl(slot.fd.load(), F_SETLEASE, F_UNLCK);
        slot.state.store(kMoved);
    }
    errno = savedErrno;
}

// Installed once, and only where nobody else handles the signal.
bool handlerInstalled() {
    static const bool installed = [] {
        struct sigaction old {};
        if (::sigaction(leaseSignal(), nullptr, &old) != 0) return false;
        if ((old.sa_flags & SA_SIGINFO) != 0 || old.sa_handler != SIG_DFL) return false;
        struct sigaction action {};
        action.sa_sigaction = onLeaseBreak;
        action.sa_flags = SA_SIGINFO | SA_RESTART;
        sigemptyset(&action.sa_mask);
        return ::sigaction(leaseSignal(), &action, nullptr) == 0;
    }();
    return installed;
}

int claimSlot() {
    for (int i = 0; i < kSlots; ++i) {
        int free = kFree;
        if (g_slots[i].state.compare_exchange_strong(free, kClaimed)) return i;
    }
    return -1;
}

}  // namespace

void allowFileMapping(bool allowed) { g_allowed.store(allowed); }
bool fileMappingAllowed() { return g_allowed.load(); }

std::shared_ptr<LeasedFileMapping> LeasedFileMapping::map(int fd, std::uint64_t size) {
    if (!fileMappingAllowed() || size == 0 || size > SIZE_MAX / 2 || !handlerInstalled())
        return nullptr;
    const int index = claimSlot();
    if (index < 0) return nullptr;
    Slot& slot = g_slots[index];
    const int own = ::fcntl(fd, F_DUPFD_CLOEXEC, 0);
    void* data = own < 0 ? MAP_FAILED
                         : ::mmap(nullptr, size, PROT_READ | PROT_WRITE, MAP_PRIVATE, own, 0);
    if (data == MAP_FAILED) {
        if (own >= 0) ::close(own);
        slot.state.store(kFree);
        return nullptr;
    }
    slot.fd.store(own);
    slot.data = static_cast<unsigned char*>(data);
    slot.size = static_cast<std::size_t>(size);
    slot.state.store(kLeased);
    std::shared_ptr<LeasedFileMapping> mapping(
        new LeasedFileMapping(index, slot.data, slot.size));
    // The size is checked again under the lease: the file may have been cut short since the
    // caller looked, and only from now on would we hear of it.
    struct stat info {};
    const bool leased = ::fcntl(own, F_SETSIG, leaseSignal()) == 0 &&
                        ::fcntl(own, F_SETLEASE, F_RDLCK) == 0 && ::fstat(own, &info) == 0 &&
                        static_cast<std::uint64_t>(info.st_size) == size;
    if (!leased) return nullptr;  // the destructor lets go of what was taken
    return mapping;
}

LeasedFileMapping::~LeasedFileMapping() {
    Slot& slot = g_slots[m_slot];
    int state = slot.state.load();
    for (;;) {
        if (state == kMoving) {  // the handler on another thread is copying: let it finish
            std::this_thread::yield();
            state = slot.state.load();
            continue;
        }
        if (slot.state.compare_exchange_weak(state, kClosing)) break;
    }
    const int fd = slot.fd.load();
    if (state == kLeased) ::fcntl(fd, F_SETLEASE, F_UNLCK);
    ::munmap(m_data, m_size);
    ::close(fd);
    slot.fd.store(-1);
    slot.state.store(kFree);
}

}  // namespace orbxmps
