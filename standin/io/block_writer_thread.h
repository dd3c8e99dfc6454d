// A thread that writes one block of text at a time while its caller fills
// the next, so that copying a long output into the system's file cache is
// off the run's way. OutputInProgress's own (output_file.cpp).
#pragma once

#include <condition_variable>
#include <functional>
#include <mutex>
#include <string_view>
#include <thread>

#include "io/temporary_names.h"

namespace standin {

class BlockWriterThread {
 public:
  // Starts the thread that hands each block to `write`, which must not
  // throw. Throws std::system_error when no thread can be started.
  explicit BlockWriterThread(std::function<void(std::string_view)> write) : write_(std::move(write)) {
    // A thread starts with its maker's signals blocked, and this one keeps
    // interruptions blocked to its end: their handler then always runs on a
    // thread that InterruptionsHeld holds off, never between making a
    // temporary file and registering it.
    const InterruptionsHeld held;
    thread_ = std::thread([this] { WriteEachBlock(); });
  }

  // Writes the block passed last, then ends the thread.
  ~BlockWriterThread() {
    {
      const std::lock_guard lock(mutex_);
      ending_ = true;
    }
    changed_.notify_all();
    thread_.join();
  }

  BlockWriterThread(const BlockWriterThread&) = delete;
  BlockWriterThread& operator=(const BlockWriterThread&) = delete;

  // Returns once the block passed before is written, having handed `block`
  // to the thread: its text must stay as it is until the next Pass or Wait
  // returns, or the thread ends.
  void Pass(std::string_view block) {
    std::unique_lock lock(mutex_);
    changed_.wait(lock, [this] { return !pending_; });
    block_ = block;
    pending_ = true;
    changed_.notify_all();
  }

  // Returns once the block passed last is written.
  void Wait() {
    std::unique_lock lock(mutex_);
    changed_.wait(lock, [this] { return !pending_; });
  }

 private:
  void WriteEachBlock() {
    std::unique_lock lock(mutex_);
    while (true) {
      changed_.wait(lock, [this] { return pending_ || ending_; });
      if (!pending_) return;
      const std::string_view block = block_;
      lock.unlock();
      write_(block);
      lock.lock();
      pending_ = false;
      changed_.notify_all();
    }
  }

  std::function<void(std::string_view)> write_;
  std::mutex mutex_;
  std::condition_variable changed_;  // a block passed, written, or the end asked for
  std::string_view block_;
  bool pending_ = false;  // block_ is passed and not yet written
  bool ending_ = false;
  std::thread thread_;  // last: started once everything it reads is made
};

}  // namespace standin
