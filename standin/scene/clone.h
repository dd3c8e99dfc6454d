// Copies of objects, as the host makes them for the plug-in.
#pragma once

#include <optional>
#include <vector>

#include "base/fault_ahead.h"
#include "base/large_pages.h"
#include "scene/object.h"

namespace standin {

// A copy of `op`, made in `op`'s scene and lying outside any document:
// its data and type (names kept), and with `with_children` its whole subtree
// in the same order. Selection is a matter of the document and is not copied.
Object* CloneObject(const Object& op, bool with_children);

// A copy of a point, tangent or polygon list, made on large memory pages
// where it is big enough (see large_pages.h). Copying outruns the faults of
// fresh pages, so the copy's second half is made ready on another thread
// while the first is copied (see fault_ahead.h).
template <typename T>
std::optional<std::vector<T>> CopyList(const std::optional<std::vector<T>>& from) {
  if (!from) return std::nullopt;
  std::vector<T> list;
  list.reserve(from->size());
  AdviseLargePages(list.data(), list.capacity() * sizeof(T));
  const size_t half = list.capacity() / 2;
  const FaultAhead ready(list.data() + half, (list.capacity() - half) * sizeof(T));
  list.assign(from->begin(), from->end());
  return list;
}

// A copy of `data` whose point, tangent and polygon lists are made on large
// memory pages where they are big enough (see large_pages.h): copies for
// duplicates and for undo are most of a big mesh's fresh memory.
ObjectData CopyObjectData(const ObjectData& data);

}  // namespace standin
