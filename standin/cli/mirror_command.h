// `standin mirror SCENE [OPTIONS]`: what a user does to mirror the selection
// of a scene through the plug-in's dialog.
#pragma once

#include "cli/arguments.h"

namespace standin {

// Loads the scene and the plug-ins, runs the mirror command (which opens its
// dialog), sets the options' gadgets as a user would, presses the mirror
// button, closes the dialog, undoes and redoes when asked, and writes the
// scene. Nothing is written to the output on an error.
int RunMirror(Arguments& arguments);

}  // namespace standin
