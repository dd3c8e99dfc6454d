#include "host/plugin_folder.h"

#include "host/host_table.h"

namespace {

// A plain handle rather than a Filename: it must not be released by a
// destructor when the library is unloaded, after the host table is gone.
VtFilename* g_folder = nullptr;

}  // namespace

namespace vitrel::host {

void KeepPluginFolder(const VtFilename* folder) {
  ReleasePluginFolder();
  if (folder != nullptr) g_folder = FileOps().filename_copy(folder);
}

void ReleasePluginFolder() {
  if (g_folder != nullptr) FileOps().filename_free(g_folder);
  g_folder = nullptr;
}

}  // namespace vitrel::host

Filename GeGetPluginPath() { return Filename::FromHost(g_folder); }
