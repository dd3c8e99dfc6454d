#include "flipit.h"
#include "flipit_ids.h"
#include "mirror.h"
#include "plugin_host.h"

Bool FlipItDialog::Command(Int32 id, const BaseContainer&) {
  switch (id) {
    case IDM_SIMPLE_USAGE:
      basicUse_.Open(-1, -1, 0, 0, false);
      break;
    case IDM_HELP_FILE:
      OpenHelpFile();
      break;
    case IDM_ABOUT:
      version_.Open(-1, -1, 0, 0, false);
      break;
    case IDM_CLOSE_MANAGER:
    case IDC_CLOSE:
      Close();
      break;
    case IDC_DUPLICATE:
      ApplyDuplicateRule();
      break;
    case IDC_RESET:
      ResetSettings();
      SettingsToGadgets();
      EnableFromSettings();
      break;
    case IDC_KEEP_DISPLAY_COLOR:
      ApplyDisplayColorRule();
      break;
    case IDC_DISPLAY_COLOR_MODE: {
      Int32 mode = settings_.displayColorMode;
      GetInt32(IDC_DISPLAY_COLOR_MODE, mode);
      EnableColorField(mode);
      break;
    }
    case IDC_MIRROR:
      // The run reads the options from the gadgets; the record follows them
      // afterwards so that the next opening shows the values used.
      MirrorRun(*this);
      GadgetsToSettings();
      break;
    default:
      break;
  }
  return true;
}

// The rules below read the gadgets as the user left them, not the record; a
// gadget the host cannot read counts as showing its stored value.

void FlipItDialog::ApplyDuplicateRule() {
  Bool duplicate = settings_.duplicate;
  GetBool(IDC_DUPLICATE, duplicate);
  if (!duplicate) {
    DisableDuplicateOptions();
    return;
  }
  Enable(IDC_DUPLICATE_WITHOUT_CHILDREN, true);
  Enable(IDC_RENAME_MODE, true);
  Enable(IDC_SUFFIX, true);
  Enable(IDC_KEEP_DISPLAY_COLOR, true);
  ApplyDisplayColorRule();
}

void FlipItDialog::ApplyDisplayColorRule() {
  Bool keep = settings_.keepDisplayColor;
  GetBool(IDC_KEEP_DISPLAY_COLOR, keep);
  if (keep) {
    EnableColorOptions(false, COLOR_OFF);
    return;
  }
  Enable(IDC_DISPLAY_COLOR_MODE, true);
  Int32 mode = settings_.displayColorMode;
  GetInt32(IDC_DISPLAY_COLOR_MODE, mode);
  EnableColorField(mode);
  Enable(IDC_XRAY, true);
}

void FlipItDialog::OpenHelpFile() {
  // Joined as text with a backslash on every platform; hosts read it as a
  // separator. Without the plug-in's folder, or with a path whose text could
  // not be built, nothing is opened: the path would name another file. A
  // missing file or a failed open is not reported.
  const Filename folder = GeGetPluginPath();
  if (!folder.IsPopulated()) return;
  String path = folder.GetString();
  path += String("\\Vitrel.pdf");
  if (!vitrel::host::IsComplete(path)) return;
  GeExecuteFile(Filename(path));
}
