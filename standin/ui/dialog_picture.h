// A dialog drawn as a host would show its window: title bar, menu bar,
// groups, gadgets with their captions and values, and the pictures that
// the plug-in drew into its user areas. Nobody can look at the host's
// windows here; this is how one sees what a user would.
#pragma once

#include "draw/picture.h"
#include "ui/dialog.h"
#include "ui/dialog_geometry.h"

namespace standin {

// The dialog's window as it is now, laid out by LayOutDialog.
Picture DrawDialog(const Dialog& dialog);
// The same from a geometry already laid out for `dialog`.
Picture DrawDialog(const Dialog& dialog, const DialogGeometry& geometry);

}  // namespace standin
