#include "journal/block_text_buffer.h"

#include <algorithm>
#include <new>
#include <utility>

#include "base/large_pages.h"

namespace standin {
namespace {

std::align_val_t BlockAlignment(size_t size) { return std::align_val_t{size}; }

// Aligned to its size, so that a largest block is one whole large page.
char* NewBlockText(size_t size, bool largest) {
  char* text = static_cast<char*>(::operator new(size, BlockAlignment(size)));
  if (largest) AdviseLargePages(text, size);
  return text;
}

}  // namespace

BlockTextBuffer::~BlockTextBuffer() {
  for (const Block& block : blocks_) ::operator delete(block.text, BlockAlignment(block.size));
  if (spare_.text != nullptr) ::operator delete(spare_.text, BlockAlignment(spare_.size));
}

void BlockTextBuffer::PassFullBlocksTo(std::function<void(std::string_view)> pass_on) {
  pass_on_ = std::move(pass_on);
}

BlockTextBuffer::int_type BlockTextBuffer::overflow(int_type c) {
  if (traits_type::eq_int_type(c, traits_type::eof())) return traits_type::not_eof(c);
  if (pass_on_ && !blocks_.empty()) {
    PassOnFullBlock();
  } else {
    AddBlock();
  }
  *pptr() = traits_type::to_char_type(c);
  pbump(1);
  return c;
}

void BlockTextBuffer::AddBlock() {
  // Text that is passed on needs no small first block: its two blocks take
  // turns to the end.
  const size_t size = pass_on_          ? kLargestBlock
                      : blocks_.empty() ? kFirstBlock
                                        : std::min(blocks_.back().size * 2, kLargestBlock);
  // The block's entry has room before the block is made, so that making the
  // entry cannot fail and lose the block.
  if (blocks_.size() == blocks_.capacity()) blocks_.reserve(2 * blocks_.size() + 4);
  char* text = NewBlockText(size, size == kLargestBlock);
  blocks_.push_back({text, size});
  setp(text, text + size);
}

void BlockTextBuffer::PassOnFullBlock() {
  // Made before the full block is passed on, so that a failure to make it
  // passes nothing twice.
  if (spare_.text == nullptr) spare_ = {NewBlockText(kLargestBlock, true), kLargestBlock};
  pass_on_(std::string_view(pbase(), static_cast<size_t>(pptr() - pbase())));
  std::swap(blocks_.back(), spare_);
  setp(blocks_.back().text, blocks_.back().text + blocks_.back().size);
}

}  // namespace standin
