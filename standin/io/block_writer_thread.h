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
  // Starts the thread that hands each block to `write`, and each request
  // to settle to `settle`; neither may throw. Throws std::system_error
  // when no thread can be started.
  BlockWriterThread(std::function<void(std::string_view)> write, std::function<void()> settle)
      : write_(std::move(write)), settle_(std::move(settle)) {
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
  void Pass(std::string_view block) { Hand(block, false); }

  // Returns once the block passed before is written, having asked the
  // thread to settle what it wrote (`settle`) once it has nothing to write.
  void Settle() { Hand(std::string_view(), true); }

  // Returns once the block passed last is written.
  void Wait() {
    std::unique_lock lock(mutex_);
    changed_.wait(lock, [this] { return !pending_; });
  }

 private:
  void Hand(std::string_view block, bool settle) {
    std::unique_lock lock(mutex_);
    changed_.wait(lock, [this] { return !pending_; });
    block_ = block;
    settle_asked_ = settle;
    pending_ = true;
    changed_.notify_all();
  }

  void WriteEachBlock() {
    std::unique_lock lock(mutex_);
    while (true) {
      changed_.wait(lock, [this] { return pending_ || ending_; });
      if (!pending_) return;
      const std::string_view block = block_;
      const bool settle = settle_asked_;
      lock.unlock();
      if (settle) {
        settle_();
      } else {
        write_(block);
      }
      lock.lock();
      pending_ = false;
      changed_.notify_all();
    }
  }

  std::function<void(std::string_view)> write_;
  std::function<void()> settle_;
  std::mutex mutex_;
  std::condition_variable changed_;  // a block passed, written, or the end asked for
  std::string_view block_;
  bool settle_asked_ = false;  // what is pending is a request to settle, not block_
  bool pending_ = false;       // block_ or a request to settle is passed and not yet done
  bool ending_ = false;
  std::thread thread_;  // last: started once everything it reads is made
};

}  // namespace standin
