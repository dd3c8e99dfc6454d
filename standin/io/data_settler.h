// Flushing a file's data to disk on a thread of its own while the file is
// still being written, so that the flush that makes it durable at the end
// has little left to wait for. On the machine measured, an 85 MB file
// written over 136 ms waited 43 ms for that last flush, however early its
// blocks had been sent to the disk; with a flush after every 16 MiB beside
// the writing, under 5 ms. POSIX systems only; StagingFile's own
// (staged_output_posix.cpp).
#pragma once

#include <unistd.h>

#include <condition_variable>
#include <cstddef>
#include <mutex>
#include <thread>

namespace standin {

class DataSettler {
 public:
  // How the file's data is flushed: fdatasync, or what a test puts in
  // its place; 0 or -1 with errno set.
  using Flush = int (*)(int fd);

  // Settles the file open as `fd`, which must stay open until Stop.
  explicit DataSettler(int fd, Flush flush = &fdatasync) : fd_(fd), flush_(flush) {}
  ~DataSettler() { Stop(); }
  DataSettler(const DataSettler&) = delete;
  DataSettler& operator=(const DataSettler&) = delete;

  // Asks for what was written so far to be flushed (fdatasync), after the
  // flush under way if there is one; returns at once. Called by one thread
  // at a time, the one writing the file. The thread starts at the first
  // request; where none can be had, nothing is flushed ahead.
  void Ask() noexcept;

  // Waits for the flush under way and ends the thread. Answers the errno of
  // the first flush that failed, or 0: a failed flush reports its error
  // only once, so the final flush of the file would no longer see it.
  int Stop() noexcept;

 private:
  void SettleEachRequest();

  const int fd_;
  const Flush flush_;
  std::mutex mutex_;
  std::condition_variable asked_;  // a flush or the end asked for
  size_t requests_ = 0;            // flushes asked for
  bool stopping_ = false;
  int error_ = 0;  // the first failed flush's errno
  std::thread thread_;
};

}  // namespace standin
