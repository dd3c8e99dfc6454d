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

// What `standin info` was asked for.
struct InfoRequest {
  std::string scene;  // a path, or "-" for standard input
  bool json = false;
  bool params = false;
};

// Reads the scene and prints its tree, as text or as JSON.
int RunInfo(const InfoRequest& request);

}  // namespace standin
