// Memory from the host's allocator. Everything the plug-in allocates comes
// from here, so that the host sees (and can refuse) every allocation; a
// refused allocation gives null and the caller goes on without it.
#pragma once

#include <cstddef>
#include <new>
#include <utility>

#include "host/host_table.h"
#include "host/host_types.h"

namespace vitrel::host {

// A zero-filled block of `bytes` bytes, or null when the host has none (or no
// host is bound).
inline void* AllocateClear(Int64 bytes) {
  if (bytes <= 0 || !IsBound()) return nullptr;
  return Memory().alloc(bytes);
}

// A block from the host's allocator, or null, read as the SDK reads its
// allocation results.
template <typename T>
class ResultPtr {
 public:
  explicit ResultPtr(T* block) : block_(block) {}
  // The block; null when the host had no memory.
  T* UncheckedGetValue() const { return block_; }

 private:
  T* block_;
};

template <typename T>
ResultPtr<T> NewArrayClear(Int64 count) {
  if (count <= 0 || count > LIMIT<Int64>::MAX / static_cast<Int64>(sizeof(T))) return ResultPtr<T>(nullptr);
  return ResultPtr<T>(static_cast<T*>(AllocateClear(count * static_cast<Int64>(sizeof(T)))));
}

template <typename T, typename... Args>
T* NewObject(Args&&... args) {
  static_assert(alignof(T) <= alignof(std::max_align_t),
                "the host's blocks are aligned for plain types only");
  void* block = AllocateClear(static_cast<Int64>(sizeof(T)));
  if (block == nullptr) return nullptr;
  return new (block) T(std::forward<Args>(args)...);
}

}  // namespace vitrel::host

// `count` zero-filled elements of type T (plain types), or null when the host
// has no memory for them. Spelled as the host's SDK spells it.
#define NewMemClear(T, count) vitrel::host::NewArrayClear<T>(count)

// A T constructed in zero-filled host memory; null when the memory is
// refused. Spelled as the host's SDK spells it.
#define NewObjClear(T, ...) vitrel::host::NewObject<T>(__VA_ARGS__)

// Frees a block from NewMemClear (null is ignored) and sets the pointer to
// null.
template <typename T>
void DeleteMem(T*& block) {
  if (block != nullptr && vitrel::host::IsBound())
    vitrel::host::Memory().free(const_cast<void*>(static_cast<const void*>(block)));
  block = nullptr;
}

// Destroys an object made by NewObjClear (null is ignored) and sets the
// pointer to null.
template <typename T>
void DeleteObj(T*& object) {
  if (object == nullptr) return;
  object->~T();
  DeleteMem(object);
}
