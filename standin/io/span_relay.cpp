#include "io/span_relay.h"

#include "io/temporary_names.h"

namespace standin {

SpanRelay::SpanRelay(size_t count, size_t span, size_t room, FormatSpan format)
    : count_(count), span_(span), format_(std::move(format)) {
  for (Buffer& buffer : buffers_) buffer.text = std::make_unique_for_overwrite<char[]>(span * room);
  // Started with interruptions blocked, which it keeps: their handler runs
  // on the caller's thread, which InterruptionsHeld holds off.
  const InterruptionsHeld held;
  thread_ = std::thread([this] { FormatEachSpan(); });
}

SpanRelay::~SpanRelay() {
  {
    const std::lock_guard lock(mutex_);
    stopping_ = true;
  }
  changed_.notify_all();
  thread_.join();
}

std::string_view SpanRelay::Take() {
  Buffer& buffer = buffers_[taken_ % 2];
  std::unique_lock lock(mutex_);
  if (taken_ > 0) {
    // The span taken before is appended by now: its buffer is free again.
    buffers_[(taken_ - 1) % 2].ready = false;
    changed_.notify_all();
  }
  changed_.wait(lock, [&buffer] { return buffer.ready; });
  ++taken_;
  if (buffer.error) std::rethrow_exception(buffer.error);
  return {buffer.text.get(), buffer.size};
}

void SpanRelay::FormatEachSpan() {
  size_t formatted = 0;  // spans of the helper's, in order
  for (size_t first = span_; first < count_; first += 2 * span_, ++formatted) {
    Buffer& buffer = buffers_[formatted % 2];
    {
      std::unique_lock lock(mutex_);
      changed_.wait(lock, [&] { return stopping_ || !buffer.ready; });
      if (stopping_) return;
    }
    size_t size = 0;
    std::exception_ptr error;
    try {
      size = static_cast<size_t>(format_(first, std::min(count_, first + span_), buffer.text.get()) -
                                 buffer.text.get());
    } catch (...) {
      error = std::current_exception();
    }
    const std::lock_guard lock(mutex_);
    buffer.size = size;
    buffer.error = error;
    buffer.ready = true;
    changed_.notify_all();
    if (error) return;
  }
}

}  // namespace standin
