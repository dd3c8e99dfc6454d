// Memory from the host's allocator. Everything the plug-in allocates comes
// from here, so that the host sees (and can refuse) every allocation; a
// refused allocation gives null and the caller goes on without it.
#pragma once

#include <cstddef>
#include <new>
#include <utility>

#include "host/host_table.h"
#include "host/host_types.h"

// A zero-filled block of `bytes` bytes, or null when the host has none (or no
// host is bound).
inline void* NewMemClear(Int64 bytes) {
  if (bytes <= 0 || !vitrel::host::IsBound()) return nullptr;
  return vitrel::host::Memory().alloc(bytes);
}

// Frees a block from NewMemClear (null is ignored) and sets the pointer to
// null.
template <typename T>
void DeleteMem(T*& block) {
  if (block != nullptr && vitrel::host::IsBound())
    vitrel::host::Memory().free(const_cast<void*>(static_cast<const void*>(block)));
  block = nullptr;
}

// Constructs a T in zero-filled host memory; null when the memory is refused.
template <typename T, typename... Args>
T* NewObjClear(Args&&... args) {
  static_assert(alignof(T) <= alignof(std::max_align_t),
                "the host's blocks are aligned for plain types only");
  void* block = NewMemClear(static_cast<Int64>(sizeof(T)));
  if (block == nullptr) return nullptr;
  return new (block) T(std::forward<Args>(args)...);
}

// Destroys an object made by NewObjClear (null is ignored) and sets the
// pointer to null.
template <typename T>
void DeleteObj(T*& object) {
  if (object == nullptr) return;
  object->~T();
  DeleteMem(object);
}
