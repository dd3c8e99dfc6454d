// Everything the plug-in's own code knows of its host, for the stand-in
// host's table: the host's classes and functions, spelled as the host's SDK
// spells them, and the few things the SDK has no spelling for. A build
// against the SDK puts host/c4d/ on the include path instead, whose header of
// this name gives the same from the SDK.
#pragma once

#include "host/base_bitmap.h"
#include "host/base_container.h"
#include "host/base_object.h"
#include "host/command_data.h"
#include "host/console.h"
#include "host/filename.h"
#include "host/ge_dialog.h"
#include "host/ge_resource.h"
#include "host/ge_user_area.h"
#include "host/host_memory.h"
#include "host/host_string.h"
#include "host/host_table.h"
#include "host/host_types.h"
#include "host/plugin_folder.h"
#include "host/plugin_registration.h"

// The plug-in's start, end and message calls, made by the entry point.
Bool PluginStart();
void PluginEnd();
Bool PluginMessage(Int32 id, void* data);

namespace vitrel::host {

// True when `bc` holds the copy of an object's parameters that the host made:
// the stand-in host can refuse to make one.
inline Bool IsUsable(const BaseContainer& bc) { return bc.IsValid(); }
// True when `text` is the whole text the code built: the stand-in host can
// refuse memory while a text is built.
inline Bool IsComplete(const String& text) { return text.IsComplete(); }
// The host's version number.
inline Int32 HostVersion() { return Table().host_version; }
// Appends `suffix` to `text`; false, with `text` as it was, when the host had
// no memory for the longer text.
inline Bool Append(String& text, const String& suffix) { return text.Insert(text.GetLength(), suffix); }

}  // namespace vitrel::host
