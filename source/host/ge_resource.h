// The plug-in's resource, read from the "res" folder of a plug-in folder:
// the dialog descriptions and their string tables.
#pragma once

#include "host/filename.h"
#include "host/host_types.h"
#include "vitrel_host_abi.h"

class GeResource {
 public:
  GeResource() = default;
  GeResource(const GeResource&) = delete;
  GeResource& operator=(const GeResource&) = delete;
  ~GeResource();

  // Loads the resource of the plug-in folder `folder`; false when the host
  // could not read it. A resource already held is released first.
  Bool Init(const Filename& folder);
  void Free();

  // The host's handle; null when nothing is loaded.
  const VtResource* handle() const { return handle_; }

 private:
  VtResource* handle_ = nullptr;
};
