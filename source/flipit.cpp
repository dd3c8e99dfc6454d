#include "flipit.h"

#include "flipit_ids.h"
#include "plugin_host.h"
#include "resource_message.h"

namespace {

// The first host version whose renaming the user can leave to the host.
constexpr Int32 kHostRenamingVersion = 11500;

// Colour modes that take no colour of their own.
Bool ModeUsesColor(Int32 mode) { return mode != COLOR_OFF && mode != COLOR_LAYER; }

}  // namespace

FlipItDialog::FlipItDialog() : pi(3.141592653589793) {}

Bool FlipItDialog::CreateLayout() {
  GeDialog::CreateLayout();

  GeResource resource;
  resource.Init(GeGetPluginPath());
  const Bool loaded = LoadDialogResource(DLG_MIRROR, &resource, 0);

  AttachUserArea(banner_, IDC_BANNER, USERAREAFLAGS::NONE);

  MenuFlushAll();
  if (MenuSubBegin(String("File"))) {
    MenuAddString(IDM_CLOSE_MANAGER, String("Close manager"));
    MenuSubEnd();
  }
  if (MenuSubBegin(String("Help"))) {
    MenuAddString(IDM_SIMPLE_USAGE, String("Simple usage..."));
    MenuAddString(IDM_HELP_FILE, String("Main help file (PDF)"));
    MenuAddString(IDM_ABOUT, String("About..."));
    MenuSubEnd();
  }
  MenuFinished();

  FreeChildren(IDC_AXIS);
  AddChild(IDC_AXIS, AXIS_X, String("X"));
  AddChild(IDC_AXIS, AXIS_Y, String("Y"));
  AddChild(IDC_AXIS, AXIS_Z, String("Z"));
  FreeChildren(IDC_POSITIONING);
  AddChild(IDC_POSITIONING, POSITION_MOVE_ROTATE, String("Move and rotate object"));
  AddChild(IDC_POSITIONING, POSITION_MOVE, String("Move only"));
  AddChild(IDC_POSITIONING, POSITION_ROTATE, String("Rotate only"));
  AddChild(IDC_POSITIONING, POSITION_NONE, String("Do not move or rotate"));
  FreeChildren(IDC_RENAME_MODE);
  AddChild(IDC_RENAME_MODE, RENAME_PRIMARY, String("Rename primary object only"));
  AddChild(IDC_RENAME_MODE, RENAME_ALL, String("Rename all duplicated objects"));
  AddChild(IDC_RENAME_MODE, RENAME_NONE, String("Do not rename duplicated objects"));
  if (vitrel::host::HostVersion() >= kHostRenamingVersion) {
    AddChild(IDC_RENAME_MODE, RENAME_BY_HOST, String("Let C4D handle object renaming"));
  }
  FreeChildren(IDC_DISPLAY_COLOR_MODE);
  AddChild(IDC_DISPLAY_COLOR_MODE, COLOR_OFF, String("Off"));
  AddChild(IDC_DISPLAY_COLOR_MODE, COLOR_AUTOMATIC, String("Automatic"));
  AddChild(IDC_DISPLAY_COLOR_MODE, COLOR_ALWAYS, String("Always"));
  AddChild(IDC_DISPLAY_COLOR_MODE, COLOR_LAYER, String("Layer"));

  SettingsToGadgets();
  EnableFromSettings();

  if (!loaded) GePrint(String(VITREL_RESOURCE_FAILURE));
  resource.Free();
  return loaded;
}

Bool FlipItDialog::InitValues() { return GeDialog::InitValues(); }

Bool FlipItDialog::AskClose() {
  GadgetsToSettings();
  return false;
}

void FlipItDialog::ResetSettings() { settings_ = FlipItSettings(); }

void FlipItDialog::SettingsToGadgets() {
  SetInt32(IDC_AXIS, settings_.axis);
  SetInt32(IDC_POSITIONING, settings_.positioning);
  SetInt32(IDC_RENAME_MODE, settings_.renameMode);
  SetInt32(IDC_DISPLAY_COLOR_MODE, settings_.displayColorMode);
  SetBool(IDC_DUPLICATE, settings_.duplicate);
  SetBool(IDC_DUPLICATE_WITHOUT_CHILDREN, settings_.duplicateWithoutChildren);
  SetBool(IDC_MIRROR_POINTS, settings_.mirrorPoints);
  SetBool(IDC_SKIP_CHILDREN, settings_.skipChildren);
  SetBool(IDC_SKIP_PRIMITIVES, settings_.skipPrimitives);
  SetBool(IDC_SKIP_POLYGON_COMMAND, settings_.skipPolygonCommand);
  SetBool(IDC_FINAL_COMMAND, settings_.finalCommand);
  SetBool(IDC_SPARE_OPTION, settings_.spareOption);
  SetString(IDC_SUFFIX, settings_.suffix);
  SetBool(IDC_KEEP_DISPLAY_COLOR, settings_.keepDisplayColor);
  SetColorField(IDC_DISPLAY_COLOR, settings_.displayColor, settings_.displayBrightness, 100.0, 0);
  SetBool(IDC_XRAY, settings_.displayColorFlag);
}

void FlipItDialog::GadgetsToSettings() {
  // A gadget the host cannot read keeps its field as it was.
  GetInt32(IDC_AXIS, settings_.axis);
  GetInt32(IDC_POSITIONING, settings_.positioning);
  GetInt32(IDC_RENAME_MODE, settings_.renameMode);
  GetInt32(IDC_DISPLAY_COLOR_MODE, settings_.displayColorMode);
  GetBool(IDC_DUPLICATE, settings_.duplicate);
  GetBool(IDC_DUPLICATE_WITHOUT_CHILDREN, settings_.duplicateWithoutChildren);
  GetBool(IDC_MIRROR_POINTS, settings_.mirrorPoints);
  GetBool(IDC_SKIP_CHILDREN, settings_.skipChildren);
  GetBool(IDC_SKIP_PRIMITIVES, settings_.skipPrimitives);
  GetBool(IDC_SKIP_POLYGON_COMMAND, settings_.skipPolygonCommand);
  GetBool(IDC_FINAL_COMMAND, settings_.finalCommand);
  GetBool(IDC_SPARE_OPTION, settings_.spareOption);
  GetString(IDC_SUFFIX, settings_.suffix);
  GetBool(IDC_KEEP_DISPLAY_COLOR, settings_.keepDisplayColor);
  GetColorField(IDC_DISPLAY_COLOR, settings_.displayColor, settings_.displayBrightness);
  GetBool(IDC_XRAY, settings_.displayColorFlag);
}

void FlipItDialog::EnableFromSettings() {
  if (!settings_.duplicate) {
    DisableDuplicateOptions();
    return;
  }
  // The keep-colour check box keeps whatever state it has.
  Enable(IDC_DUPLICATE_WITHOUT_CHILDREN, true);
  Enable(IDC_RENAME_MODE, true);
  Enable(IDC_SUFFIX, true);
  EnableColorOptions(!settings_.keepDisplayColor, settings_.displayColorMode);
}

void FlipItDialog::DisableDuplicateOptions() {
  Enable(IDC_DUPLICATE_WITHOUT_CHILDREN, false);
  Enable(IDC_RENAME_MODE, false);
  Enable(IDC_SUFFIX, false);
  Enable(IDC_KEEP_DISPLAY_COLOR, false);
  EnableColorOptions(false, COLOR_OFF);
}

void FlipItDialog::EnableColorOptions(Bool enabled, Int32 mode) {
  Enable(IDC_DISPLAY_COLOR_MODE, enabled);
  Enable(IDC_DISPLAY_COLOR, enabled && ModeUsesColor(mode));
  Enable(IDC_XRAY, enabled);
}

void FlipItDialog::EnableColorField(Int32 mode) { Enable(IDC_DISPLAY_COLOR, ModeUsesColor(mode)); }

Bool FlipIt::Execute(BaseDocument*, GeDialog*) {
  return dialog.Open(DLG_TYPE::ASYNC, ID_VITREL, -1, -1, 0, 0, 0);
}

Int32 FlipIt::GetState(BaseDocument*, GeDialog*) { return CMD_ENABLED; }
