#include "io/data_settler.h"

#include <cerrno>
#include <system_error>

#include "io/temporary_names.h"

namespace standin {

void DataSettler::Ask() noexcept {
  {
    const std::lock_guard lock(mutex_);
    if (stopping_) return;
    ++requests_;
  }
  if (!thread_.joinable()) {
    try {
      // Started with interruptions blocked, which it keeps: their handler
      // runs on a thread that InterruptionsHeld holds off.
      const InterruptionsHeld held;
      thread_ = std::thread([this] { SettleEachRequest(); });
    } catch (const std::system_error&) {
      // No thread: the final flush takes it all, as without a settler.
    }
  }
  asked_.notify_one();
}

int DataSettler::Stop() noexcept {
  {
    const std::lock_guard lock(mutex_);
    stopping_ = true;
  }
  asked_.notify_one();
  if (thread_.joinable()) thread_.join();
  return error_;
}

void DataSettler::SettleEachRequest() {
  std::unique_lock lock(mutex_);
  size_t settled = 0;  // requests the flushes so far answered
  while (true) {
    asked_.wait(lock, [&] { return stopping_ || requests_ > settled; });
    // A flush asked for before the end is waited for by the final flush
    // anyway; the thread ends without starting another.
    if (stopping_) return;
    settled = requests_;
    lock.unlock();
    const int failed = flush_(fd_) == 0 ? 0 : errno;
    lock.lock();
    if (failed != 0 && error_ == 0) error_ = failed;
  }
}

}  // namespace standin
