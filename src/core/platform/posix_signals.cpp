// Signals on POSIX: the bus error of a mapped file that shrank, and the interrupt that
// removes the temporary files being written.

#include "core/platform/posix_signals.h"

#include <limits.h>
#include <signal.h>
#include <sys/mman.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <cstdint>
#include <cstring>

#include "core/platform/files.h"

namespace tablamo::platform {
namespace {

// The views the bus error handler knows: a fault inside one of them is a read past the end of
// a file that shrank. Slots are taken and freed without a lock, as the handler reads them.
struct ViewSlot {
    std::atomic<bool> taken{false};
    std::atomic<const char*> begin{nullptr};  // set last: the handler reads a whole slot
    std::atomic<std::size_t> size{0};
    std::atomic<bool> faulted{false};
};
constexpr int kViewSlots = 256;
ViewSlot g_views[kViewSlots];
std::uintptr_t g_pageSize = 4096;
std::atomic<bool> g_guarded{false};

// The pages of a file past its end cannot be read: the page that faulted is replaced by a
// page of zeros, so the reading goes on to its end and the view tells it shrank. A fault
// outside every view is a real bus error and ends the process as it would have.
extern "C" void onBusError(int, siginfo_t* info, void*) {
    const int saved = errno;
    const auto* address = static_cast<const char*>(info->si_addr);
    for (ViewSlot& slot : g_views) {
        const char* begin = slot.begin.load();
        if (!begin || address < begin || address >= begin + slot.size.load()) continue;
        void* page =
            reinterpret_cast<void*>(reinterpret_cast<std::uintptr_t>(address) & ~(g_pageSize - 1));
        if (::mmap(page, g_pageSize, PROT_READ, MAP_PRIVATE | MAP_ANONYMOUS | MAP_FIXED, -1, 0) !=
            MAP_FAILED) {
            slot.faulted.store(true);
            errno = saved;
            return;
        }
    }
    ::signal(SIGBUS, SIG_DFL);  // the faulting read runs again and ends the process
    errno = saved;
}

// The temporary files being written, by name, for the interrupt handler to remove.
struct TempSlot {
    std::atomic<bool> taken{false};
    std::atomic<bool> named{false};
    char path[PATH_MAX];
};
constexpr int kTempSlots = 256;
TempSlot g_temps[kTempSlots];

extern "C" void onInterrupt(int signal) {
    for (TempSlot& slot : g_temps) {
        if (slot.named.load()) ::unlink(slot.path);
    }
    // The handler was reset on entry: the signal, raised again, ends the process as usual.
    ::raise(signal);
}

}  // namespace

int watchView(const char* begin, std::size_t size) {
    for (int i = 0; i < kViewSlots; ++i) {
        ViewSlot& slot = g_views[i];
        bool free = false;
        if (!slot.taken.compare_exchange_strong(free, true)) continue;
        slot.faulted.store(false);
        slot.size.store(size);
        slot.begin.store(begin);
        return i;
    }
    return -1;
}

void unwatchView(int i) {
    g_views[i].begin.store(nullptr);
    g_views[i].taken.store(false);
}

bool viewFaulted(int slot) { return g_views[slot].faulted.load(); }

bool viewsGuarded() { return g_guarded.load(); }

int nameTemp(const std::string& path) {
    if (path.size() >= PATH_MAX) return -1;
    for (int i = 0; i < kTempSlots; ++i) {
        bool free = false;
        if (!g_temps[i].taken.compare_exchange_strong(free, true)) continue;
        std::memcpy(g_temps[i].path, path.c_str(), path.size() + 1);
        g_temps[i].named.store(true);
        return i;
    }
    return -1;  // not removed on an interrupt; a later run sweeps it
}

void forgetTemp(int i) {
    if (i < 0) return;
    g_temps[i].named.store(false);
    g_temps[i].taken.store(false);
}

void removeTempFilesOnInterrupt() {
    for (const int signal : {SIGINT, SIGTERM, SIGHUP}) {
        struct sigaction old {};
        if (::sigaction(signal, nullptr, &old) != 0 || old.sa_handler == SIG_IGN) continue;
        struct sigaction action {};
        action.sa_handler = onInterrupt;
        action.sa_flags = SA_RESETHAND;
        sigemptyset(&action.sa_mask);
        ::sigaction(signal, &action, nullptr);
    }
}

void guardMappedFiles() {
    const long page = ::sysconf(_SC_PAGESIZE);
    if (page > 0) g_pageSize = static_cast<std::uintptr_t>(page);
    struct sigaction action {};
    action.sa_sigaction = onBusError;
    action.sa_flags = SA_SIGINFO;
    sigemptyset(&action.sa_mask);
    if (::sigaction(SIGBUS, &action, nullptr) == 0) g_guarded.store(true);
}

}  // namespace tablamo::platform
