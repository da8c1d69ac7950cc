#include "base/interrupt_cleanup.h"

#include <signal.h>
#include <unistd.h>

#include <array>
#include <atomic>
#include <cerrno>
#include <cstring>
#include <mutex>

namespace marlit {

namespace {

// The handler may run on any thread at any moment, so the paths live in
// fixed slots whose state is claimed with atomic exchanges: a slot is read
// by the handler only while it is Live, and a slot the handler has claimed
// is never handed out again (the program is about to end).
enum SlotState : int { kFree, kFilling, kLive, kRemoving };
static_assert(std::atomic<int>::is_always_lock_free, "the signal handler needs lock-free slots");

constexpr size_t kSlots = 64;
constexpr size_t kPathBytes = 4096;

struct Slot {
    std::atomic<int> state{kFree};
    char path[kPathBytes];
};

std::array<Slot, kSlots> slots;

constexpr int kSignals[] = {SIGINT, SIGTERM, SIGHUP};

void onInterrupt(int sig) {
    const int savedErrno = errno;
    for (Slot& slot : slots) {
        int live = kLive;
        if (slot.state.compare_exchange_strong(live, kRemoving))
            ::unlink(slot.path);
    }
    errno = savedErrno;
    // The handler was reset to the default action on entry, and the signal
    // is blocked until the handler returns: raised now, it then ends the
    // program as it would have without us.
    ::raise(sig);
}

void installHandlers() {
    for (int sig : kSignals) {
        struct sigaction old {};
        if (::sigaction(sig, nullptr, &old) != 0 || (old.sa_flags & SA_SIGINFO) ||
            old.sa_handler != SIG_DFL) {
            continue;  // ignored, or the program handles it itself
        }
        struct sigaction action {};
        action.sa_handler = onInterrupt;
        sigemptyset(&action.sa_mask);
        action.sa_flags = SA_RESETHAND;
        ::sigaction(sig, &action, nullptr);
    }
}

}  // namespace

void prepareInterruptCleanup() {
    static std::once_flag installed;
    std::call_once(installed, installHandlers);
}

int rememberForInterruptCleanup(const std::string& path) {
    prepareInterruptCleanup();
    if (path.empty() || path.size() >= kPathBytes)
        return -1;
    for (size_t i = 0; i < kSlots; ++i) {
        int free = kFree;
        if (!slots[i].state.compare_exchange_strong(free, kFilling))
            continue;
        std::memcpy(slots[i].path, path.c_str(), path.size() + 1);
        slots[i].state.store(kLive);
        return static_cast<int>(i);
    }
    return -1;
}

void forgetInterruptCleanup(int ticket) {
    if (ticket < 0 || static_cast<size_t>(ticket) >= kSlots)
        return;
    // Fails only when the handler is removing it: the slot stays taken.
    int live = kLive;
    slots[static_cast<size_t>(ticket)].state.compare_exchange_strong(live, kFree);
}

}  // namespace marlit
