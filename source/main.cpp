// The plug-in's start, end and message calls, which the host's entry point
// makes: the start registers the command.
#include "flipit.h"
#include "flipit_ids.h"
#include "plugin_host.h"

namespace {

// The command's icon, "res/mirror.tif" in the plug-in's folder; null when
// the folder, the path or the picture is missing, so that no file is looked
// up anywhere else.
BaseBitmap* LoadIcon() {
  Filename picture = GeGetPluginPath();
  if (!picture.IsPopulated()) return nullptr;
  picture += Filename(String("res"));
  picture += Filename(String("mirror.tif"));
  if (!picture.IsPopulated()) return nullptr;
  BaseBitmap* icon = BaseBitmap::Alloc();
  if (icon != nullptr && icon->Init(picture, -1) != IMAGERESULT::OK) BaseBitmap::Free(icon);
  return icon;
}

}  // namespace

Bool PluginStart() {
  const String name("Vitrel");
  const String help("Mirrors objects across the selected axis");
  FlipIt* command = NewObjClear(FlipIt);
  BaseBitmap* icon = LoadIcon();

  // The host owns the command from here on; it copies the icon.
  const Bool registered = RegisterCommandPlugin(ID_VITREL, name, 0, icon, help, command);
  BaseBitmap::Free(icon);
  if (!registered) GePrint(String("Failed to register Vitrel."));
  return registered;
}

void PluginEnd() {}

Bool PluginMessage(Int32 id, void*) { return id == 1; }
