#include "io/held_text.h"

#include <algorithm>

#include "base/large_pages.h"

namespace standin {
namespace {

// Pieces are gathered into blocks of this size at least: a text made of
// many short pieces is not held as many short strings, and each block is
// large enough for large memory pages.
constexpr size_t kBlockSize = size_t{8} << 20;

}  // namespace

HeldText::HeldText(std::string whole) {
  if (!whole.empty()) pieces_.push_back(std::move(whole));
}

void HeldText::Append(std::string_view piece) {
  if (piece.empty()) return;
  if (pieces_.empty() || pieces_.back().size() + piece.size() > pieces_.back().capacity()) {
    std::string& block = pieces_.emplace_back();
    block.reserve(std::max(kBlockSize, piece.size()));
    AdviseLargePages(block.data(), block.capacity());
  }
  pieces_.back().append(piece);
}

}  // namespace standin
