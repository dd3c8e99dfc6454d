// The VtUiOps entries for dialogs, menus and gadgets.
#pragma once

#include "vitrel_host_abi.h"

namespace standin {

// Fills dialog_alloc/free/open/close, the menu entries and the gadget
// entries; leaves the others as they are.
void FillDialogOps(VtUiOps& ops);

}  // namespace standin
