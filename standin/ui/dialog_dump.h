// A dialog written as JSON, the form the host's dialog dumps and journal use:
//   {"id", "title", "menus": [{"title", "entries": [[id, text], ...]}],
//    "gadgets": {"ID": {"kind", "caption", "value", "enabled", "entries"}}}
// `id` is the loaded description (null for none); `value` is null, a bool,
// an integer, a float, a text or {"color": [r, g, b], "brightness": x};
// `entries` lists a pop-up's [id, text] pairs (empty for other kinds).
#pragma once

#include <string>

#include "journal/journal.h"
#include "ui/dialog.h"

namespace standin {

// The whole dialog as one line of JSON.
std::string DumpDialog(const Dialog& dialog);

// Only the "gadgets" object, written as the value of a key already written.
void WriteDialogGadgets(const Dialog& dialog, Journal::Writer& writer);

}  // namespace standin
