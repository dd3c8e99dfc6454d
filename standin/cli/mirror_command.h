// `standin mirror SCENE [OPTIONS]`: what a user does to mirror the selection
// of a scene through the plug-in's dialog.
#pragma once

#include <string>
#include <vector>

#include "cli/host_session.h"
#include "cli/mirror_options.h"

namespace standin {

struct MirrorRequest {
  std::string scene;
  HostSettings host;
  // In the order they are applied: as given, except that the gadgets that
  // enable others come first (see OrderForEnabling).
  std::vector<GadgetSetting> settings;
  bool select = false;  // --select was given: `selection` replaces the scene's
  std::vector<std::string> selection;
  std::string out = "-";
  std::string report;          // empty: none
  std::string dialog_picture;  // the dialog as a PNG just before the mirror button is pressed; empty: none
  std::string picture;         // the scene before and after as a PNG; empty: none
  bool undo = false;
  bool redo = false;
};

// Loads the scene and the plug-ins, runs the mirror command (which opens its
// dialog), sets the options' gadgets as a user would, presses the mirror
// button, closes the dialog, undoes and redoes when asked, and writes the
// scene, the report and the journal, all or none. Each output is checked
// before the run; on an error of the run only the journal is written.
int RunMirror(const MirrorRequest& request);

}  // namespace standin
