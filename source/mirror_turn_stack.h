// The turns back that the objects on the walk's current path hand down to
// their children, kept in host memory: the plug-in allocates nothing the host
// does not see.
#pragma once

#include "plugin_host.h"

namespace vitrel::mirror {

class TurnStack {
 public:
  TurnStack() = default;
  ~TurnStack();
  TurnStack(const TurnStack&) = delete;
  TurnStack& operator=(const TurnStack&) = delete;

  // Forgets the turns of objects at `depth` or deeper: the walk has left
  // their subtrees when it reaches an object at that depth.
  void LeaveTo(Int32 depth);
  // The turn back of the object at `depth` - 1 on the current path, that is
  // of the parent of an object at `depth`; null when the parent was not
  // turned.
  const Matrix* ParentTurn(Int32 depth) const;
  // Keeps the turn back of the object at `depth`. False, with nothing kept,
  // when the host refused the memory: its children then follow it as they
  // are.
  Bool Push(Int32 depth, const Matrix& turnBack);

 private:
  struct Entry {
    Int32 depth;
    Matrix turnBack;
  };
  Entry* entries_ = nullptr;
  Int32 count_ = 0;
  Int32 capacity_ = 0;
};

}  // namespace vitrel::mirror
