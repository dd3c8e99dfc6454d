// Unique object names within a document.
#pragma once

#include <string>

#include "scene/document.h"

namespace standin {

// `name` when no object of `doc` bears it; otherwise `name` followed by ".1",
// ".2", ..., the smallest suffix that no object of `doc` bears.
std::string UniqueName(const Document& doc, const std::string& name);

}  // namespace standin
