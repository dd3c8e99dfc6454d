// `standin mirror SCENE [OPTIONS]`: what a user does to mirror the selection
// of a scene through the plug-in's dialog.
#pragma once

#include <string>
#include <vector>

#include "io/output_file.h"
#include "session/host_session.h"
#include "session/mirror_options.h"

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

// The parts of a run that a batch of scenes shares with a single run.

// Throws when an output of `request` cannot be written or lands on
// another's file or on the scene, so that a run that would fail so touches
// nothing.
void CheckMirrorOutputs(const MirrorRequest& request);

// What a run made besides the scene, ready for its files.
struct MirrorProducts {
  std::string report;
  std::string dialog_picture;
  std::string picture;
};

// Loads the scene into `session` and mirrors it as RunMirror does, up to
// its outputs. `dialog_used_before`: the session opened the dialog for an
// earlier scene, whose values it still shows.
MirrorProducts MirrorInSession(HostSession& session, const MirrorRequest& request, bool dialog_used_before);

// Stages the scene, the report and the pictures; the dialog pictures of
// `pictures_of` too unless it is null.
void StageMirrorOutputs(OutputBatch& outputs, const Document& document, const MirrorRequest& request,
                        MirrorProducts& products, HostSession* pictures_of);

}  // namespace standin
