#include "basicuse.h"

#include "flipit_ids.h"
#include "host/console.h"
#include "host/ge_resource.h"
#include "host/plugin_folder.h"
#include "resource_message.h"

Bool BasicUseDialog::CreateLayout() {
  GeModalDialog::CreateLayout();
  GeResource resource;
  resource.Init(GeGetPluginPath());
  const Bool loaded = LoadDialogResource(DLG_BASIC_USE, &resource, 0);
  AttachUserArea(banner_, IDC_USAGE_BANNER, 0);
  if (!loaded) GePrint(VITREL_RESOURCE_FAILURE);
  resource.Free();
  return loaded;
}

Bool BasicUseDialog::InitValues() { return GeModalDialog::InitValues(); }

Bool BasicUseDialog::Command(Int32 id, const BaseContainer&) {
  if (id != IDC_MIRROR) return false;
  SetModalResult(true);
  Close();
  return true;
}
