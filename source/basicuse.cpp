#include "basicuse.h"

#include "flipit_ids.h"
#include "plugin_host.h"
#include "resource_message.h"

Bool BasicUseDialog::CreateLayout() {
  GeModalDialog::CreateLayout();
  GeResource resource;
  resource.Init(GeGetPluginPath());
  const Bool loaded = LoadDialogResource(DLG_BASIC_USE, &resource, 0);
  AttachUserArea(banner_, IDC_USAGE_BANNER, USERAREAFLAGS::NONE);
  if (!loaded) GePrint(String(VITREL_RESOURCE_FAILURE));
  resource.Free();
  return loaded;
}

Bool BasicUseDialog::InitValues() { return GeModalDialog::InitValues(); }

Bool BasicUseDialog::Command(Int32 id, const BaseContainer&) {
  if (id != IDC_MIRROR) return false;
  Close(true);
  return true;
}
