// The VtUiOps entries for resources, dialog layouts, user areas and bitmaps.
#pragma once

#include "resources/resource.h"
#include "ui/handle_table.h"
#include "vitrel_host_abi.h"

namespace standin {

using ResourceRegistry = HandleTable<Resource, VtResource>;

// The resources the plug-in loaded and has not freed.
ResourceRegistry& HostResources();

// The entries themselves are filled by ResourceUiOps (abi/host_table.h):
// dialog_load_layout, dialog_attach_user_area, the user-area and bitmap
// entries, resource_load and resource_free.

}  // namespace standin
