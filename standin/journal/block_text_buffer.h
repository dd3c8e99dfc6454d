// A stream buffer that keeps its text in blocks: the text never moves or is
// copied as it grows (a journal of a big run is tens of megabytes), and it is
// handed out block by block. Or, when its text goes to a file as it is
// made, two blocks that take turns: one is passed on when it fills while
// the other is filled.
#pragma once

#include <cstddef>
#include <functional>
#include <memory>
#include <streambuf>
#include <string_view>
#include <vector>

namespace standin {

class BlockTextBuffer : public std::streambuf {
 public:
  BlockTextBuffer() = default;
  ~BlockTextBuffer() override;
  BlockTextBuffer(const BlockTextBuffer&) = delete;
  BlockTextBuffer& operator=(const BlockTextBuffer&) = delete;

  // From now on, before any text: each block that fills goes to `pass_on`,
  // and its room is reused, so that only the text since is held. A block
  // passed on is not written to again until the next one has been passed
  // on, so that `pass_on` may leave it to be written while the other fills.
  void PassFullBlocksTo(std::function<void(std::string_view)> pass_on);

  // Hands the text held to `take`, a piece per block, in order.
  template <typename Take>
  void ForEachPiece(Take&& take) const {
    for (const Block& block : blocks_) {
      const char* end = &block == &blocks_.back() ? pptr() : block.text + block.size;
      if (end > block.text) take(std::string_view(block.text, static_cast<size_t>(end - block.text)));
    }
  }

 protected:
  int_type overflow(int_type c) override;

 private:
  // A new block, the next size up, becomes the one written to.
  void AddBlock();
  // Passes on the block written to, which then changes places with the
  // spare one.
  void PassOnFullBlock();

  struct Block {
    char* text;
    size_t size;
  };
  // Blocks double from 64 KiB up to a large memory page (2 MiB), so that a
  // short text stays small and a long one costs few page faults.
  static constexpr size_t kFirstBlock = size_t{1} << 16;
  static constexpr size_t kLargestBlock = size_t{1} << 21;

  std::vector<Block> blocks_;
  std::function<void(std::string_view)> pass_on_;
  Block spare_{nullptr, 0};  // the block passed on last, while text is passed on
};

}  // namespace standin
