#include "base/fault_ahead.h"

#include <cstdint>
#include <system_error>

#ifdef __linux__
#include <pthread.h>
#include <sys/mman.h>
#include <unistd.h>

#include <csignal>
#endif

namespace standin {

#if defined(__linux__) && defined(MADV_POPULATE_WRITE)

namespace {

// Pages are made ready a large page at a time, so that the thread can
// stop soon after it is asked to.
constexpr uintptr_t kStep = uintptr_t{1} << 21;

}  // namespace

FaultAhead::FaultAhead(void* data, size_t size) noexcept {
  if (size < kWorthIt) return;
  // Whole pages only: the partial pages at either end may hold the
  // allocator's own data, which faulting them in would not change, but
  // which is not ours to touch.
  static const auto page = static_cast<uintptr_t>(sysconf(_SC_PAGESIZE));
  const uintptr_t begin = (reinterpret_cast<uintptr_t>(data) + page - 1) & ~(page - 1);
  const uintptr_t end = (reinterpret_cast<uintptr_t>(data) + size) & ~(page - 1);
  // The thread starts with every signal blocked, so that the host's
  // handlers always run on a thread that holds them off where it must.
  sigset_t all;
  sigset_t saved;
  sigfillset(&all);
  pthread_sigmask(SIG_BLOCK, &all, &saved);
  try {
    thread_ = std::thread([this, begin, end] {
      for (uintptr_t at = begin; at < end && !stop_.load(std::memory_order_relaxed); at += kStep) {
        const uintptr_t step_end = at + kStep < end ? at + kStep : end;
        if (madvise(reinterpret_cast<void*>(at), step_end - at, MADV_POPULATE_WRITE) != 0) return;
      }
    });
  } catch (const std::system_error&) {
    // No thread: the pages fault as they are written, as they always did.
  }
  pthread_sigmask(SIG_SETMASK, &saved, nullptr);
}

#else

FaultAhead::FaultAhead(void*, size_t) noexcept {}

#endif

FaultAhead::~FaultAhead() {
  stop_.store(true, std::memory_order_relaxed);
  if (thread_.joinable()) thread_.join();
}

}  // namespace standin
