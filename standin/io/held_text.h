// A text held until it is written: a direct output (standard output, a
// device, a FIFO) is written only when its whole batch is put in place, so
// its text waits in memory. It is kept in blocks of a few megabytes, in
// order, and never copied into one string as it grows: a scene
// of 84 MB sent to standard output took 2.6 times its size in memory and
// twice the time of writing it to a file while it was.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace standin {

class HeldText {
 public:
  HeldText() = default;
  explicit HeldText(std::string whole);

  // Keeps a copy of `piece` after what is held.
  void Append(std::string_view piece);

  // Hands each piece in order to `write`, which answers whether it was
  // written; false at the first that was not.
  template <typename Write>
  bool WriteEach(const Write& write) const {
    for (const std::string& piece : pieces_) {
      if (!write(std::string_view(piece))) return false;
    }
    return true;
  }

 private:
  std::vector<std::string> pieces_;
};

}  // namespace standin
