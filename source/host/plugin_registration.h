// Registration of the plug-in's commands with the host.
#pragma once

#include "host/base_bitmap.h"
#include "host/command_data.h"
#include "host/host_string.h"
#include "host/host_types.h"

// Registers `data` as command `id`. The host owns `data` from then on, also
// when the registration fails, and destroys it with DeleteObj. A null `data`
// fails without asking the host, and so does an incomplete `name` or `help`
// (a command is never registered under a text other than its own). The host
// copies `icon` (null: no icon).
Bool RegisterCommandPlugin(Int32 id, const String& name, Int32 info, const BaseBitmap* icon,
                           const String& help, CommandData* data);
