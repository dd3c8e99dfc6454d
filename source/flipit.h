// The plug-in's command and its non-modal mirror dialog. The command holds
// the dialog by value, so the dialog and its settings live as long as the
// command; only the dialog's window is built anew at each opening.
#pragma once

#include "banner.h"
#include "basicuse.h"
#include "flipit_ids.h"
#include "plugin_host.h"
#include "version.h"

// The mirror dialog's values kept from one opening to the next, with their
// defaults.
struct FlipItSettings {
  Int32 axis = AXIS_X;
  Int32 positioning = POSITION_MOVE_ROTATE;
  Int32 renameMode = RENAME_PRIMARY;
  Int32 displayColorMode = COLOR_OFF;
  Bool duplicate = false;
  Bool duplicateWithoutChildren = false;
  Bool mirrorPoints = true;
  Bool skipChildren = false;
  Bool skipPrimitives = false;
  Bool skipPolygonCommand = false;
  Bool finalCommand = false;
  Bool spareOption = false;
  String suffix{"_mirror"};
  Bool keepDisplayColor = true;
  Vector displayColor;
  Float displayBrightness = 1.0;
  Bool displayColorFlag = false;
};

class FlipItDialog : public GeDialog {
 public:
  FlipItDialog();

  Bool CreateLayout() override;
  Bool InitValues() override;
  Bool Command(Int32 id, const BaseContainer& msg) override;
  Bool AskClose() override;

  const FlipItSettings& GetSettings() const { return settings_; }

 private:
  BasicUseDialog basicUse_;
  VersionDialog version_;
  Banner banner_;

 public:
  // Half a turn; the mirror engine turns angles by it.
  Float pi;

 private:
  void ResetSettings();
  void SettingsToGadgets();
  void GadgetsToSettings();
  // The enabling rule from the record, at layout and after a reset.
  void EnableFromSettings();
  // The enabling rules on gadget changes, from the values the gadgets show.
  void ApplyDuplicateRule();
  void ApplyDisplayColorRule();
  void DisableDuplicateOptions();
  // The colour mode list and x-ray check box follow `enabled`; the colour
  // field also needs a mode that takes a colour.
  void EnableColorOptions(Bool enabled, Int32 mode);
  void EnableColorField(Int32 mode);
  void OpenHelpFile();

  FlipItSettings settings_;
};

// The command "Vitrel": opens the mirror dialog.
class FlipIt : public CommandData {
 public:
  Bool Execute(BaseDocument* doc, GeDialog* parentManager) override;
  Int32 GetState(BaseDocument* doc, GeDialog* parentManager) override;

  FlipItDialog dialog;
};
