#include "io/temporary_names.h"

#ifdef _WIN32
#include <windows.h>
#else
#include <unistd.h>
#endif

#include <atomic>
#include <cstring>

namespace standin {
namespace {

using NativeChar = std::filesystem::path::value_type;

// A run stages at most a few outputs at once (the mirror command three).
constexpr int kSlots = 16;
constexpr std::size_t kLongestName = 4096;

struct Slot {
  std::atomic<bool> live{false};
  NativeChar name[kLongestName];
};

Slot g_slots[kSlots];

void InstallHandlers();

}  // namespace

void PrepareForOutputs() {
  [[maybe_unused]] static const bool installed = [] {
    InstallHandlers();
    return true;
  }();
}

int RememberTemporary(const std::filesystem::path& name) {
  PrepareForOutputs();
  const auto& text = name.native();
  if (text.size() >= kLongestName) return -1;
  for (int slot = 0; slot < kSlots; ++slot) {
    Slot& free = g_slots[slot];
    if (free.live.load()) continue;
    std::memcpy(free.name, text.c_str(), (text.size() + 1) * sizeof(NativeChar));
    free.live.store(true);
    return slot;
  }
  return -1;
}

void ForgetTemporary(int slot) {
  if (slot >= 0 && slot < kSlots) g_slots[slot].live.store(false);
}

#ifdef _WIN32

namespace {

// The control handler runs on a thread of its own: it waits for the lock
// that a thread making or removing a temporary file holds.
SRWLOCK g_lock = SRWLOCK_INIT;

BOOL WINAPI RemoveTemporariesOnBreak(DWORD) {
  AcquireSRWLockExclusive(&g_lock);
  for (Slot& slot : g_slots) {
    if (slot.live.load()) DeleteFileW(slot.name);
  }
  ReleaseSRWLockExclusive(&g_lock);
  return FALSE;  // the next handler, the system's, ends the process
}

void InstallHandlers() { SetConsoleCtrlHandler(RemoveTemporariesOnBreak, TRUE); }

}  // namespace

InterruptionsHeld::InterruptionsHeld() { AcquireSRWLockExclusive(&g_lock); }
InterruptionsHeld::~InterruptionsHeld() { ReleaseSRWLockExclusive(&g_lock); }

#else

namespace {

// The signals that end a run from outside and that a handler can catch: a
// user's Ctrl-C or Ctrl-\, a kill, a closed terminal, a reader of a FIFO or
// pipe that went away, the timers and the signals a user sends by name.
// Each one's default action ends the program, so a temporary file would be
// left behind.
constexpr int kInterruptions[] = {
    SIGINT,    SIGTERM, SIGHUP, SIGPIPE, SIGQUIT, SIGALRM, SIGUSR1, SIGUSR2, SIGVTALRM, SIGPROF, SIGXCPU,
#ifdef SIGPOLL
    SIGPOLL,
#endif
#ifdef SIGPWR
    SIGPWR,
#endif
#ifdef SIGSTKFLT
    SIGSTKFLT,
#endif
};

sigset_t InterruptionSet() {
  sigset_t set;
  sigemptyset(&set);
  for (const int signal : kInterruptions) sigaddset(&set, signal);
  return set;
}

// Only async-signal-safe calls: unlink, then the signal again with its
// default action (restored on entry), which ends the program as it would
// have ended.
extern "C" void RemoveTemporariesThenStop(int signal) {
  for (Slot& slot : g_slots) {
    if (slot.live.load()) unlink(slot.name);
  }
  raise(signal);
}

void InstallHandlers() {
  // Past the file-size limit (ulimit -f) a write then fails with EFBIG,
  // which the writer reports, instead of the run dying without a word and
  // leaving its temporary file.
  struct sigaction ignore {};
  ignore.sa_handler = SIG_IGN;
  struct sigaction size_limit {};
  if (sigaction(SIGXFSZ, nullptr, &size_limit) == 0 && size_limit.sa_handler == SIG_DFL &&
      (size_limit.sa_flags & SA_SIGINFO) == 0) {
    sigaction(SIGXFSZ, &ignore, nullptr);
  }
  struct sigaction action {};
  action.sa_handler = RemoveTemporariesThenStop;
  action.sa_mask = InterruptionSet();
  action.sa_flags = SA_RESETHAND;
  for (const int signal : kInterruptions) {
    struct sigaction previous {};
    if (sigaction(signal, nullptr, &previous) == 0 && previous.sa_handler == SIG_DFL &&
        (previous.sa_flags & SA_SIGINFO) == 0) {
      sigaction(signal, &action, nullptr);
    }
  }
}

}  // namespace

InterruptionsHeld::InterruptionsHeld() {
  const sigset_t set = InterruptionSet();
  pthread_sigmask(SIG_BLOCK, &set, &saved_);
}

InterruptionsHeld::~InterruptionsHeld() { pthread_sigmask(SIG_SETMASK, &saved_, nullptr); }

#endif

}  // namespace standin
