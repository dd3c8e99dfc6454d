// Objects named by their name path (`Arm/Hand`), as a user picks them.
#pragma once

#include <string>
#include <string_view>

#include "scene/document.h"

namespace standin {

// The first object in document order whose names from the top, joined with
// '/', are `path`; null when there is none. One pass over the document that
// enters only subtrees whose names match so far.
Object* FindObjectByPath(const Document& document, std::string_view path);

// The error for a `path` that names no object: "the scene has no object
// Hand", and when some objects' paths end with it (whole names: Arm/Hand
// for Hand), "; did you mean Arm/Hand or Leg/Hand?" with the first few of
// them in document order. One pass over the document.
std::string NoObjectMessage(const Document& document, std::string_view path);

}  // namespace standin
