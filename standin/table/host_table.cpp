#include "table/host_table.h"

#include "resources/resource_ops.h"
#include "resources/user_area.h"
#include "table/commands.h"
#include "table/scene_ops.h"
#include "ui/dialog_ops.h"
#include "ui/filename.h"
#include "ui/memory_ops.h"
#include "ui/message_ops.h"
#include "ui/user_area_painting.h"

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
    ResourceUiOps(ui);
    // The dialogs paint and show the user areas the resources library keeps.
    SetUserAreaPainting({PaintUserAreas, UserAreaCanvas});
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
