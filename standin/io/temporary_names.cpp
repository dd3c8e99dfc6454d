#include "io/temporary_names.h"

#ifdef _WIN32
#include <windows.h>
#else
#include <unistd.h>
#endif

#include <atomic>
#include <cstring>
#include <new>

namespace standin {
namespace {

using NativeChar = std::filesystem::path::value_type;

// A slot's name is made when the slot is taken and freed when it is let go,
// both with interruptions held, so the handler only ever reads names that
// exist.
struct Slot {
  std::atomic<bool> live{false};
  NativeChar* name = nullptr;
};

// Slots in blocks that are chained as more are needed (a run may stage any
// number of outputs, a dialog picture each) and never freed, so the handler
// walks them without allocating or locking.
constexpr int kSlotsPerBlock = 32;
struct SlotBlock {
  Slot slots[kSlotsPerBlock];
  std::atomic<SlotBlock*> next{nullptr};
};

SlotBlock g_first_block;

template <typename Visit>
void ForEachLiveName(Visit visit) {
  for (SlotBlock* block = &g_first_block; block != nullptr; block = block->next.load()) {
    for (Slot& slot : block->slots) {
      if (slot.live.load()) visit(slot.name);
    }
  }
}

Slot* SlotAt(int index) {
  SlotBlock* block = &g_first_block;
  for (int skip = index / kSlotsPerBlock; skip > 0 && block != nullptr; --skip) block = block->next.load();
  return block == nullptr ? nullptr : &block->slots[index % kSlotsPerBlock];
}

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
  int index = 0;
  for (SlotBlock* block = &g_first_block;; block = block->next.load()) {
    for (Slot& free : block->slots) {
      if (!free.live.load()) {
        free.name = new (std::nothrow) NativeChar[text.size() + 1];
        if (free.name == nullptr) return -1;
        std::memcpy(free.name, text.c_str(), (text.size() + 1) * sizeof(NativeChar));
        free.live.store(true);
        return index;
      }
      ++index;
    }
    if (block->next.load() == nullptr) {
      auto* more = new (std::nothrow) SlotBlock;
      if (more == nullptr) return -1;
      block->next.store(more);
    }
  }
}

void ForgetTemporary(int index) {
  Slot* slot = index < 0 ? nullptr : SlotAt(index);
  if (slot == nullptr || !slot->live.load()) return;
  slot->live.store(false);
  delete[] slot->name;
  slot->name = nullptr;
}

#ifdef _WIN32

namespace {

// The control handler runs on a thread of its own: it waits for the lock
// that a thread making or removing a temporary file holds.
SRWLOCK g_lock = SRWLOCK_INIT;

BOOL WINAPI RemoveTemporariesOnBreak(DWORD) {
  AcquireSRWLockExclusive(&g_lock);
  ForEachLiveName([](const NativeChar* name) { DeleteFileW(name); });
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
  ForEachLiveName([](const NativeChar* name) { unlink(name); });
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
