#include "host/ge_resource.h"

#include "host/host_table.h"

using vitrel::host::UiOps;

GeResource::~GeResource() {
  if (vitrel::host::IsBound()) Free();
}

Bool GeResource::Init(const Filename& folder) {
  Free();
  // An empty folder would be read relative to the working directory.
  if (!folder.IsPopulated()) return false;
  handle_ = UiOps().resource_load(folder.handle());
  return handle_ != nullptr;
}

void GeResource::Free() {
  if (handle_ != nullptr) UiOps().resource_free(handle_);
  handle_ = nullptr;
}
