// Fresh memory made ready on another thread while the caller fills it.
//
// The first write to each fresh page of a large buffer costs a fault in
// which the system clears the page; on the machines measured that was a
// third of reading a large scene (its text, its point and polygon lists),
// all of it on the reading thread. A FaultAhead clears the pages of a
// buffer front to back on a thread of its own, ahead of the caller, who
// then mostly writes to pages that are ready.
#pragma once

#include <atomic>
#include <cstddef>
#include <thread>

namespace standin {

class FaultAhead {
 public:
  // Buffers smaller than this are left to fault as they are written.
  static constexpr size_t kWorthIt = size_t{4} << 20;

  // Starts on the `size` bytes at `data`, allocated and not yet written;
  // does nothing where the system cannot prepare pages without writing
  // them (anywhere but Linux 5.14 and later) or no thread can be had.
  FaultAhead(void* data, size_t size) noexcept;
  // Stops where it is; the caller's own writes fault in what is left.
  ~FaultAhead();
  FaultAhead(const FaultAhead&) = delete;
  FaultAhead& operator=(const FaultAhead&) = delete;

 private:
  std::atomic<bool> stop_{false};
  std::thread thread_;
};

}  // namespace standin
