// Copies of objects, as the host makes them for the plug-in.
#pragma once

#include "scene/object.h"

namespace standin {

// A copy of `op`, made in `op`'s scene and lying outside any document:
// its data and type (names kept), and with `with_children` its whole subtree
// in the same order. Selection is a matter of the document and is not copied.
Object* CloneObject(const Object& op, bool with_children);

// A copy of `data` whose point, tangent and polygon lists are made on large
// memory pages where they are big enough (see large_pages.h): copies for
// duplicates and for undo are most of a big mesh's fresh memory.
ObjectData CopyObjectData(const ObjectData& data);

}  // namespace standin
