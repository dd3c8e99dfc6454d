// The report of a mirror run (`standin mirror --report`): the object the run
// mirrored, whether it was a copy, and per object of its hierarchy what the
// run did to it, as JSON:
//
//   {"format": "vitrel-report", "version": 1, "mirrored": "Arm", "copy": false,
//    "objects": [
//     {"path": "Arm", "type": 5100, "typeName": "polygon object",
//      "treatments": ["placement", "points", "polygon-command"], "handler": null,
//      "points": 8, "polygons": 6}
//    ]}
#pragma once

#include <string>

#include "host/run_record.h"
#include "ui/dialog.h"

namespace standin {

// The report of what `record` saw, taken right after the run (before any
// undo, which would take a copy out of the document again).
//
// The mirrored object is the copy the run inserted, or else the first object
// the run changed; null when the run changed nothing. `objects` lists it and
// everything below it in document order, named as the journal names them;
// an object the run left alone has no treatments. Treatments, in this order:
// "placement", "points", "tangents", "lattice", "parameters",
// "polygon-command", "compensation" (a child given one more placement write
// to take its parent's turn back out of it). `handler` names the plug-in's handler group of the
// object's type ("primitive", "spline-primitive", "deformer",
// "particle-force", "extrude", "lathe", "sweep", "light", "camera",
// "array") when that handler acted on it: it set the parameters back or
// turned the object (set its placement a second time); otherwise null.
// `points` and `polygons` count what the object holds after the run.
// `handlers_run` says whether the run's placement mode let the handlers act
// (see HandlersRun): only then does a turning handler write a placement of
// its own, which the count of writes has to tell from a compensation.
std::string MirrorReportJson(const RunRecord& record, bool handlers_run);

// Whether the mirror dialog's placement mode (gadget 10006) lets the
// plug-in's type handlers run: every mode but "move" and "none".
bool HandlersRun(const Dialog& dialog);

}  // namespace standin
