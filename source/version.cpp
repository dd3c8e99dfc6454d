#include "version.h"

#include "flipit_ids.h"
#include "plugin_host.h"
#include "resource_message.h"

Bool VersionDialog::CreateLayout() {
  GeModalDialog::CreateLayout();
  GeResource resource;
  resource.Init(GeGetPluginPath());
  const Bool loaded = LoadDialogResource(DLG_VERSION, &resource, 0);
  AttachUserArea(banner_, IDC_VERSION_BANNER, USERAREAFLAGS::NONE);
  if (loaded) {
    // The version line comes from the code, whatever the resource holds.
    versionText_ = String(VITREL_VERSION_LINE);
    SetString(IDC_VERSION_TEXT, versionText_);
  } else {
    GePrint(String(VITREL_RESOURCE_FAILURE));
  }
  resource.Free();
  return loaded;
}

Bool VersionDialog::InitValues() { return GeModalDialog::InitValues(); }

Bool VersionDialog::Command(Int32 id, const BaseContainer&) {
  if (id != IDC_MIRROR) return false;
  Close(true);
  return true;
}
