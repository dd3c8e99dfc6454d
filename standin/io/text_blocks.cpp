#include "io/text_blocks.h"

#include <algorithm>
#include <cstring>

namespace standin {

TextBlocks::TextBlocks(const TextSink& sink)
    : sink_(sink), block_(new char[kBlockSize]), end_(block_.get()), limit_(block_.get() + kBlockSize) {}

void TextBlocks::Append(std::string_view text) {
  while (!text.empty()) {
    if (end_ == limit_) Flush();
    const size_t part = std::min(text.size(), static_cast<size_t>(limit_ - end_));
    std::memcpy(end_, text.data(), part);
    end_ += part;
    text.remove_prefix(part);
  }
}

void TextBlocks::Flush() {
  if (end_ == block_.get()) return;
  sink_(std::string_view(block_.get(), static_cast<size_t>(end_ - block_.get())));
  end_ = block_.get();
}

}  // namespace standin
