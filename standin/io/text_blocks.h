// A text written into blocks of about 1 MiB, each handed to a sink when it
// fills: a writer formats straight into the block without a string of its
// own per piece, and a long text is never held whole.
#pragma once

#include <cstddef>
#include <memory>
#include <string_view>

#include "io/text_sink.h"

namespace standin {

class TextBlocks {
 public:
  static constexpr size_t kBlockSize = size_t{1} << 20;
  // The most that Room may be asked for.
  static constexpr size_t kMaxRoom = 4096;

  explicit TextBlocks(const TextSink& sink);
  TextBlocks(const TextBlocks&) = delete;
  TextBlocks& operator=(const TextBlocks&) = delete;

  // Where the next `size` bytes (at most kMaxRoom) may be written, handing
  // the full block to the sink first when they do not fit; Advance(end)
  // then keeps what was written up to `end`.
  char* Room(size_t size) {
    if (static_cast<size_t>(limit_ - end_) < size) Flush();
    return end_;
  }
  void Advance(char* end) { end_ = end; }

  void Put(char c) {
    char* at = Room(1);
    *at = c;
    end_ = at + 1;
  }
  // Text of any length, split across blocks where it does not fit.
  void Append(std::string_view text);

  // Hands what the block holds to the sink.
  void Flush();

 private:
  const TextSink& sink_;
  std::unique_ptr<char[]> block_;
  char* end_;
  char* limit_;
};

}  // namespace standin
