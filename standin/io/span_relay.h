// Formatting a long list on two threads, for a large mesh whose points and
// polygons are most of a scene file's text: the caller's thread formats
// every other span of elements straight into the output's blocks, and a
// helper thread formats the spans between into buffers of its own, which
// the caller appends in turn. The text is the same, byte for byte, as one
// thread would make.
#pragma once

#include <algorithm>
#include <condition_variable>
#include <cstddef>
#include <exception>
#include <functional>
#include <memory>
#include <mutex>
#include <string_view>
#include <system_error>
#include <thread>

#include "io/text_blocks.h"

namespace standin {

// The helper's side: it formats the spans 1, 3, 5, ... of `count` elements
// (`span` each) into two buffers in turn, at most two spans ahead of the
// caller, who takes each in order.
class SpanRelay {
 public:
  // Formats elements [first, last) at `to` and returns the end; may throw,
  // and then Take() of that span rethrows it on the caller's thread.
  using FormatSpan = std::function<char*(size_t first, size_t last, char* to)>;

  // Starts the helper; `room` is the most one element's text takes.
  // Throws std::system_error when no thread can be started.
  SpanRelay(size_t count, size_t span, size_t room, FormatSpan format);
  // Stops the helper, also when the caller gave up half-way.
  ~SpanRelay();
  SpanRelay(const SpanRelay&) = delete;
  SpanRelay& operator=(const SpanRelay&) = delete;

  // The text of the helper's next span, once it is ready; valid until the
  // next call.
  std::string_view Take();

 private:
  struct Buffer {
    std::unique_ptr<char[]> text;
    size_t size = 0;
    bool ready = false;  // formatted and not yet taken
    std::exception_ptr error;
  };

  void FormatEachSpan();

  const size_t count_;
  const size_t span_;
  const FormatSpan format_;
  Buffer buffers_[2];
  size_t taken_ = 0;  // how many spans the caller took
  bool stopping_ = false;
  std::mutex mutex_;
  std::condition_variable changed_;  // a span formatted or taken, or the end asked for
  std::thread thread_;               // last: started once everything it reads is made
};

// Elements per span; a list shorter than two spans is formatted on the
// caller's thread alone.
inline constexpr size_t kSpanElements = size_t{16} << 10;

// Writes elements 0 to `count` - 1 into `out`, each by `write(to, index)`,
// which writes at most `room` bytes at `to` and returns their end; on two
// threads when the list is long. `write` must be safe to call from two
// threads at once.
template <typename Write>
void FormatInTurns(size_t count, size_t room, TextBlocks& out, const Write& write) {
  const auto own_span = [&](size_t first, size_t last) {
    for (size_t i = first; i < last; ++i) out.Advance(write(out.Room(room), i));
  };
  if (count < 2 * kSpanElements) return own_span(0, count);
  std::unique_ptr<SpanRelay> relay;
  try {
    relay = std::make_unique<SpanRelay>(count, kSpanElements, room,
                                        [&write](size_t first, size_t last, char* to) {
                                          for (size_t i = first; i < last; ++i) to = write(to, i);
                                          return to;
                                        });
  } catch (const std::system_error&) {
    return own_span(0, count);  // no thread to be had: the same text from one
  }
  for (size_t first = 0; first < count; first += 2 * kSpanElements) {
    own_span(first, std::min(count, first + kSpanElements));
    if (first + kSpanElements < count) out.Append(relay->Take());
  }
}

}  // namespace standin
