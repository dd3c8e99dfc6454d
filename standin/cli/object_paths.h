// Objects named by their name path (`Arm/Hand`), as a user picks them.
#pragma once

#include <string_view>

#include "scene/document.h"

namespace standin {

// The first object in document order whose names from the top, joined with
// '/', are `path`; null when there is none. One pass over the document that
// enters only subtrees whose names match so far.
Object* FindObjectByPath(const Document& document, std::string_view path);

}  // namespace standin
