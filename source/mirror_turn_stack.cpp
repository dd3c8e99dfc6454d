#include "mirror_turn_stack.h"

#include <limits>
#include <new>

#include "plugin_host.h"

namespace vitrel::mirror {

TurnStack::~TurnStack() { DeleteMem(entries_); }

void TurnStack::LeaveTo(Int32 depth) {
  while (count_ > 0 && entries_[count_ - 1].depth >= depth) --count_;
}

const Matrix* TurnStack::ParentTurn(Int32 depth) const {
  if (count_ == 0 || entries_[count_ - 1].depth != depth - 1) return nullptr;
  return &entries_[count_ - 1].turnBack;
}

Bool TurnStack::Push(Int32 depth, const Matrix& turnBack) {
  if (count_ == capacity_) {
    if (capacity_ > std::numeric_limits<Int32>::max() / 2) return false;
    const Int32 grown = capacity_ == 0 ? 16 : capacity_ * 2;
    Entry* larger = NewMemClear(Entry, grown).UncheckedGetValue();
    if (larger == nullptr) return false;
    for (Int32 i = 0; i < count_; ++i) new (&larger[i]) Entry(entries_[i]);
    DeleteMem(entries_);
    entries_ = larger;
    capacity_ = grown;
  }
  new (&entries_[count_++]) Entry{depth, turnBack};
  return true;
}

}  // namespace vitrel::mirror
