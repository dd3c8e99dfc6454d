// Builds a dialog's window from a dialog description of a resource.
#pragma once

#include <cstdint>

#include "resources/resource.h"
#include "ui/dialog.h"

namespace standin {

// Adds the gadgets of description `description_id` to the dialog's window in
// layout order, with their captions from the string table, and sets the
// window's title and description id. Elements without an id get ids -1, -2,
// ... in layout order, so that every gadget can be told apart and each names
// its group as its parent. A gadget already in the window with the same id
// (made by an earlier write) takes the description's kind, caption and size
// and keeps what was written to it where that fits the kind. False, and the dialog unchanged, when there is
// no such description.
bool BuildLayout(Dialog& dialog, const Resource& resource, int32_t description_id);

}  // namespace standin
