// The host's bitmap. Like the host's own, it is only ever used through a
// pointer: the pointer is the host's handle.
#pragma once

#include "host/filename.h"
#include "host/host_types.h"
#include "vitrel_host_abi.h"

// The outcome of loading a picture.
enum class IMAGERESULT : Int32 {
  OK = 1,
  NOTEXISTING = -1,
};

class BaseBitmap {
 public:
  BaseBitmap() = delete;
  ~BaseBitmap() = delete;

  // A new, empty bitmap, or null when the host has none to give.
  static BaseBitmap* Alloc();
  // Frees the bitmap (null is ignored) and sets the pointer to null.
  static void Free(BaseBitmap*& bitmap);

  // Loads a picture file; frame -1 is the picture's default frame.
  // IMAGERESULT::OK when the host could read it; a failed load leaves the
  // bitmap empty.
  IMAGERESULT Init(const Filename& name, Int32 frame = -1);
  Int32 GetBw() const;
  Int32 GetBh() const;

  const VtBitmap* handle() const { return reinterpret_cast<const VtBitmap*>(this); }
  VtBitmap* handle() { return reinterpret_cast<VtBitmap*>(this); }
};
