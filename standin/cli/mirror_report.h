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

namespace standin {

// The report of what `record` saw, taken right after the run (before any
// undo, which would take a copy out of the document again).
//
// The mirrored object is the copy the run inserted, or else the first object
// the run changed; null when the run changed nothing. `objects` lists it and
// everything below it in document order, named as the journal names them;
// an object the run left alone has no treatments. Treatments, in this order:
// "placement", "points", "tangents", "lattice", "parameters",
// "polygon-command". `handler` names the plug-in's handler group of the
// object's type ("primitive", "spline-primitive", "deformer",
// "particle-force", "extrude", "lathe", "sweep", "light", "camera",
// "array") when that handler acted on it: it set the parameters back or
// turned the object (set its placement a second time); otherwise null.
// `points` and `polygons` count what the object holds after the run.
std::string MirrorReportJson(const RunRecord& record);

}  // namespace standin
