// A list that grows in blocks: its elements never move, adding one costs no
// allocation of its own, and a big list sits on large memory pages.
#pragma once

#include <algorithm>
#include <cstddef>
#include <memory>
#include <new>
#include <utility>
#include <vector>

#include "base/large_pages.h"

namespace standin {

// Blocks double from a few elements up to a large page's worth (2 MiB), so
// that a short list stays small and a long one costs one page fault per
// block rather than one per small page: on some systems those faults cost
// more than the work done on the elements.
template <typename T>
class BlockList {
 public:
  BlockList() = default;
  ~BlockList() { clear(); }
  BlockList(const BlockList&) = delete;
  BlockList& operator=(const BlockList&) = delete;

  template <typename... Args>
  T& emplace_back(Args&&... args) {
    if (blocks_.empty() || blocks_.back().used == blocks_.back().capacity) AddBlock();
    Block& block = blocks_.back();
    T* element = std::construct_at(block.elements + block.used, std::forward<Args>(args)...);
    ++block.used;
    ++size_;
    return *element;
  }

  std::size_t size() const { return size_; }
  bool empty() const { return size_ == 0; }

  // Calls `visit` on every element, in the order added.
  template <typename Visit>
  void ForEach(Visit&& visit) {
    for (const Block& block : blocks_) std::for_each_n(block.elements, block.used, visit);
  }

  void clear() {
    for (const Block& block : blocks_) {
      std::destroy_n(block.elements, block.used);
      ::operator delete(block.elements, Alignment(block.capacity));
    }
    blocks_.clear();
    size_ = 0;
  }

 private:
  static constexpr std::size_t kLargePage = std::size_t{1} << 21;
  static constexpr std::size_t kFirstBlock = 16;
  static constexpr std::size_t kLargestBlock = kLargePage / sizeof(T);
  static_assert(kLargestBlock >= kFirstBlock, "elements this big belong in a list of pointers");

  struct Block {
    T* elements;
    std::size_t capacity;
    std::size_t used;
  };

  static std::align_val_t Alignment(std::size_t capacity) {
    return std::align_val_t{capacity == kLargestBlock ? kLargePage : alignof(T)};
  }

  void AddBlock() {
    const std::size_t capacity =
        blocks_.empty() ? kFirstBlock : std::min(blocks_.back().capacity * 2, kLargestBlock);
    // The block's entry has room before the block is made, so that making
    // the entry cannot fail and lose the block.
    if (blocks_.size() == blocks_.capacity()) blocks_.reserve(std::max<std::size_t>(8, 2 * blocks_.size()));
    // A largest block takes a whole large page, aligned to one.
    const std::size_t bytes = capacity == kLargestBlock ? kLargePage : capacity * sizeof(T);
    void* storage = ::operator new(bytes, Alignment(capacity));
    if (capacity == kLargestBlock) AdviseLargePages(storage, bytes);
    blocks_.push_back({static_cast<T*>(storage), capacity, 0});
  }

  std::vector<Block> blocks_;
  std::size_t size_ = 0;
};

}  // namespace standin
