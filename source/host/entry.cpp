// The library's entry point for the stand-in host's table, and its
// declaration to the host's module system. A build against the host's SDK
// takes the SDK's own entry point instead; both call the plug-in's
// PluginStart, PluginEnd and PluginMessage.
#include <cstdint>

#include "host/export.h"
#include "host/plugin_folder.h"
#include "plugin_host.h"

namespace {

// The oldest host the plug-in runs in.
constexpr Int32 kMinimumHostVersion = 23100;

// Counts the host's start calls; the end work is done when the last one is
// taken back.
Int32 g_initCount = 0;

const char* const kFrameworks[] = {
    "net.maxon.c4d.cinema.framework", "net.maxon.command.framework",   "net.maxon.core.framework",
    "net.maxon.crypt.framework",      "net.maxon.geom.framework",      "net.maxon.image.framework",
    "net.maxon.math.framework",       "net.maxon.mesh_misc.framework", "net.maxon.python.framework",
};

Int32 Initialise(const VtHostTable* table, const VtFilename* folder) {
  if (++g_initCount > 1) return 1;
  // A refused host leaves the plug-in as it was loaded: nothing kept, and a
  // later start call is checked afresh.
  if (!vitrel::host::Bind(table) || table->host_version < kMinimumHostVersion || folder == nullptr) {
    vitrel::host::Unbind();
    g_initCount = 0;
    return VT_RESULT_REFUSED;
  }
  vitrel::host::KeepPluginFolder(folder);
  return 1;
}

void Finish() {
  if (g_initCount == 0) return;
  if (--g_initCount > 0) return;
  PluginEnd();
  vitrel::host::ReleasePluginFolder();
  vitrel::host::Unbind();
}

}  // namespace

VT_EXPORT const VtModuleDeclaration vt_module_declaration = {
    VT_ABI_VERSION, "net.vitrel.tools.vitrel",
    static_cast<int32_t>(sizeof(kFrameworks) / sizeof(kFrameworks[0])), kFrameworks};

VT_EXPORT int32_t c4d_main(int32_t action, void* p1, void* p2, void* p3) {
  switch (action) {
    case VT_ACTION_INIT:
      return Initialise(static_cast<const VtHostTable*>(p1), static_cast<const VtFilename*>(p3));
    case VT_ACTION_START:
      // Without a bound host there is nothing to register with.
      return vitrel::host::IsBound() && PluginStart() ? 1 : 0;
    case VT_ACTION_END:
      Finish();
      return 1;
    case VT_ACTION_QUERY:
      return VT_RESULT_QUERY;
    case VT_ACTION_MESSAGE:
      return PluginMessage(static_cast<Int32>(reinterpret_cast<intptr_t>(p1)), p2) ? 1 : -1;
    default:
      return -1;
  }
}
