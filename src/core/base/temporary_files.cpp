#include "core/base/temporary_files.h"

#include <atomic>
#include <climits>
#include <csignal>
#include <cstring>

#include <pthread.h>
#include <unistd.h>

namespace vireo {

namespace {

constexpr int kCleanupSignals[] = {SIGINT, SIGTERM, SIGHUP, SIGQUIT, SIGPIPE};

// Fixed storage: the signal handler may touch nothing that allocates or locks.
constexpr int kSlots = 32;
enum SlotState : int { kFree, kFilling, kReady };

// Zero-initialised, so nothing runs at start-up: a constructor for an array of
// slots would write one page per slot in every run of the program.
struct Slot {
    std::atomic<int> state;  // kFree is 0
    char path[PATH_MAX];
};

Slot slots[kSlots];
std::atomic<int> holders{0};
std::atomic<int> signalWhileHeld{0};

void removeTemporariesAndDie(int signalNumber) {
    for (Slot& slot : slots) {
        if (slot.state.load(std::memory_order_acquire) == kReady) ::unlink(slot.path);
    }
    // The default action, so that the parent sees how the program ended.
    std::signal(signalNumber, SIG_DFL);
    sigset_t only;
    sigemptyset(&only);
    sigaddset(&only, signalNumber);
    ::pthread_sigmask(SIG_UNBLOCK, &only, nullptr);
    ::raise(signalNumber);
}

// Recorded first and acted on only when nothing holds: a holder that lets go
// meanwhile finds the record (see ~CleanupSignalsHeld).
void onCleanupSignal(int signalNumber) {
    signalWhileHeld.store(signalNumber);
    if (holders.load() > 0) return;
    removeTemporariesAndDie(signalNumber);
}

sigset_t cleanupSignalSet() {
    sigset_t set;
    sigemptyset(&set);
    for (int signalNumber : kCleanupSignals) sigaddset(&set, signalNumber);
    return set;
}

}  // namespace

void installTemporaryFileCleanup() {
    for (int signalNumber : kCleanupSignals) {
        struct sigaction old {};
        if (::sigaction(signalNumber, nullptr, &old) == 0 && old.sa_handler == SIG_IGN)
            continue;  // started to ignore it (nohup, a background job): keep that
        struct sigaction action {};
        action.sa_handler = onCleanupSignal;
        action.sa_mask = cleanupSignalSet();
        ::sigaction(signalNumber, &action, nullptr);
    }
}

int registerTemporaryFile(const std::string& path) {
    if (path.empty() || path.size() >= PATH_MAX) return -1;
    for (int i = 0; i < kSlots; ++i) {
        int expected = kFree;
        if (!slots[i].state.compare_exchange_strong(expected, kFilling, std::memory_order_acq_rel))
            continue;
        std::memcpy(slots[i].path, path.c_str(), path.size() + 1);
        slots[i].state.store(kReady, std::memory_order_release);
        return i;
    }
    return -1;
}

void unregisterTemporaryFile(int slot) {
    if (slot < 0 || slot >= kSlots) return;
    slots[slot].state.store(kFree, std::memory_order_release);
}

CleanupSignalsHeld::CleanupSignalsHeld() {
    const sigset_t held = cleanupSignalSet();
    ::pthread_sigmask(SIG_BLOCK, &held, &previous_);
    holders.fetch_add(1);
}

CleanupSignalsHeld::~CleanupSignalsHeld() {
    if (holders.fetch_sub(1) == 1) {
        if (const int signalNumber = signalWhileHeld.exchange(0); signalNumber != 0)
            removeTemporariesAndDie(signalNumber);
    }
    ::pthread_sigmask(SIG_SETMASK, &previous_, nullptr);
}

}  // namespace vireo
