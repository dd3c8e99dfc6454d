#include "host/plugin_registration.h"

#include "host/base_object.h"
#include "host/host_memory.h"
#include "host/host_table.h"

namespace {

CommandData& CommandOf(void* user) { return *static_cast<CommandData*>(user); }

int32_t OnExecute(void* user, VtDocument* doc) {
  return CommandOf(user).Execute(BaseDocument::FromHandle(doc), nullptr) ? 1 : 0;
}
int32_t OnGetState(void* user, VtDocument* doc) {
  return CommandOf(user).GetState(BaseDocument::FromHandle(doc), nullptr);
}
void OnDestroy(void* user) {
  CommandData* data = static_cast<CommandData*>(user);
  DeleteObj(data);
}

constexpr VtCommandCallbacks kCommandCallbacks = {sizeof(VtCommandCallbacks), OnExecute, OnGetState,
                                                  OnDestroy};

}  // namespace

Bool RegisterCommandPlugin(Int32 id, const String& name, Int32 info, const BaseBitmap* icon,
                           const String& help, CommandData* data) {
  if (data == nullptr) return false;
  if (!name.IsComplete() || !help.IsComplete()) {
    // Owned as if the host had refused it.
    DeleteObj(data);
    return false;
  }
  return vitrel::host::PluginOps().register_command(id, name.ToText(), info,
                                                    icon != nullptr ? icon->handle() : nullptr, help.ToText(),
                                                    &kCommandCallbacks, data) != 0;
}
