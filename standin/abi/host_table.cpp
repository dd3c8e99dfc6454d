#include "abi/host_table.h"

#include "abi/commands.h"
#include "abi/scene_ops.h"
#include "ui/dialog_ops.h"
#include "ui/filename.h"
#include "ui/memory_ops.h"
#include "ui/message_ops.h"

namespace standin {
namespace {

template <typename Ops>
Ops Sized() {
  Ops ops{};
  ops.size = sizeof(Ops);
  return ops;
}

struct Tables {
  VtMemoryOps memory = Sized<VtMemoryOps>();
  VtUiOps ui = Sized<VtUiOps>();
  VtFileOps files = Sized<VtFileOps>();
  VtPluginOps plugins = Sized<VtPluginOps>();
  VtHostTable table{};

  Tables() {
    FillMemoryOps(memory);
    FillDialogOps(ui);
    FillMessageOps(ui);
#ifdef STANDIN_HAS_RESOURCE_UI_OPS
    ResourceUiOps(ui);
#endif
    FillFileOps(files);
    FillPluginOps(plugins);
    table.host_version = kDefaultHostVersion;
    table.abi_version = VT_ABI_VERSION;
    table.size = sizeof(VtHostTable);
    table.memory = &memory;
    table.scene = &StandinSceneOps();
    table.ui = &ui;
    table.files = &files;
    table.plugins = &plugins;
  }
};

Tables& TheTables() {
  static Tables tables;
  return tables;
}

}  // namespace

const VtHostTable& StandinHostTable() { return TheTables().table; }

void SetHostVersion(int32_t version) { TheTables().table.host_version = version; }

VtDocument* ActiveDocumentHandle() {
  const VtSceneOps* scene = StandinHostTable().scene;
  return scene == nullptr || scene->get_active_document == nullptr ? nullptr : scene->get_active_document();
}

std::optional<bool> RunCommand(int32_t id) { return HostCommands().Execute(id, ActiveDocumentHandle()); }

std::optional<int32_t> CommandState(int32_t id) {
  return HostCommands().GetState(id, ActiveDocumentHandle());
}

}  // namespace standin
