#include "host/base_bitmap.h"

#include "host/host_table.h"

using vitrel::host::UiOps;

BaseBitmap* BaseBitmap::Alloc() {
  if (!vitrel::host::IsBound()) return nullptr;
  return reinterpret_cast<BaseBitmap*>(UiOps().bitmap_alloc());
}

void BaseBitmap::Free(BaseBitmap*& bitmap) {
  if (bitmap == nullptr) return;
  UiOps().bitmap_free(bitmap->handle());
  bitmap = nullptr;
}

IMAGERESULT BaseBitmap::Init(const Filename& name, Int32 frame) {
  // An empty name would be read relative to the working directory.
  const Bool loaded = name.IsPopulated() && UiOps().bitmap_load(handle(), name.handle(), frame) != 0;
  return loaded ? IMAGERESULT::OK : IMAGERESULT::NOTEXISTING;
}

Int32 BaseBitmap::GetBw() const { return UiOps().bitmap_width(handle()); }

Int32 BaseBitmap::GetBh() const { return UiOps().bitmap_height(handle()); }
