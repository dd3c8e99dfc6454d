// `standin info SCENE`: the scene as an indented tree, or as JSON.
#pragma once

#include <string>
#include <string_view>

#include "scene/document.h"

namespace standin {

// A summary line, then one line per object, children indented under their
// parent: the name, the type's name and id, position, rotation (heading,
// pitch, bank in degrees), scale, the point, tangent and polygon counts and
// whether the object is selected; with `params`, a line below each object
// with its parameters (id=value, the value as the scene file writes it).
// Below the 32nd level the indentation stops growing and the line says its
// depth.
std::string SceneTree(const Document& document, std::string_view title, bool params);

// The same tree as one JSON document:
//   {"scene": TITLE, "objects": N, "selected": M, "tree": [OBJECT, ...]}
// where each OBJECT is {"name", "type", "typeName", "position",
// "rotationDegrees", "scale", "points", "tangents", "polygons" (counts, only
// for objects that hold such data), "selected", "params" (with `params`: ids
// to values as in the scene file), "children": [OBJECT, ...]}. Numbers are
// written in their shortest exact form; one object per line.
std::string SceneTreeJson(const Document& document, std::string_view title, bool params);

// The objects as a flat list, which any JSON reader reads whatever the
// hierarchy's depth:
//   {"scene": TITLE, "objects": N, "selected": M, "records": [RECORD, ...]}
// with one RECORD per object in document order: {"index" (its place in the
// list), "depth" (0 at the top level), "parent" (the parent's index, or
// null), "path" (names from the top, joined by "/", as the journal names
// objects), "world" (the placement in the world: offset, then the first,
// second and third axis, twelve numbers), then the keys of a --json object
// without "children"}.
std::string SceneRecordsJson(const Document& document, std::string_view title, bool params);

// What `standin info` was asked for.
struct InfoRequest {
  std::string scene;  // a path, or "-" for standard input
  bool json = false;
  bool flat = false;
  bool params = false;
};

// Reads the scene and prints its tree, as text or as JSON.
int RunInfo(const InfoRequest& request);

}  // namespace standin
