// `standin info SCENE`: the scene as an indented tree.
#pragma once

#include <string>
#include <string_view>

#include "scene/document.h"

namespace standin {

// One line per object, children indented under their parent: the name, the
// type id and its name, position, rotation (H, P, B in degrees), scale, the
// point, tangent and polygon counts and whether the object is selected.
// Below the 32nd level the indentation stops growing and the line says its
// depth.
std::string SceneTree(const Document& document, std::string_view title);

// What `standin info` was asked for.
struct InfoRequest {
  std::string scene;  // a path, or "-" for standard input
  bool json = false;
  bool params = false;
};

// Reads the scene and prints its tree.
int RunInfo(const InfoRequest& request);

}  // namespace standin
