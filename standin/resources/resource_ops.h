// The VtUiOps entries for resources, dialog layouts, user areas and bitmaps.
#pragma once

#include "resources/resource.h"
#include "ui/handle_table.h"
#include "vitrel_host_abi.h"

namespace standin {

using ResourceRegistry = HandleTable<Resource, VtResource>;

// The resources the plug-in loaded and has not freed.
ResourceRegistry& HostResources();

// Fills the VtUiOps entries for layouts, user areas, bitmaps and resources:
// dialog_load_layout, dialog_attach_user_area, the user-area and bitmap
// entries, resource_load and resource_free.
void ResourceUiOps(VtUiOps& ops);

}  // namespace standin
