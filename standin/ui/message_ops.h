// Messages the plug-in shows the user: console lines and message boxes. The
// host records them in its journal; it has no screen to show them on.
#pragma once

#include "vitrel_host_abi.h"

namespace standin {

// Fills console_write and message_box.
void FillMessageOps(VtUiOps& ops);

}  // namespace standin
