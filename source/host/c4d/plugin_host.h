// Everything the plug-in's own code knows of its host, for the host's own
// SDK: the SDK's headers, and the few things the plug-in asks that the SDK
// has no spelling for. The stand-in host's build takes host/plugin_host.h
// instead.
#pragma once

#include "c4d.h"
#include "customgui_splinecontrol.h"

namespace vitrel::host {

// The SDK's host is there for as long as the plug-in is loaded.
inline Bool IsBound() { return true; }
// A copy of an object's parameters cannot fail in the SDK.
inline Bool IsUsable(const BaseContainer&) { return true; }
// The SDK's texts are whole or their operation reports an error.
inline Bool IsComplete(const String&) { return true; }
// The host's version number.
inline Int32 HostVersion() { return GetC4DVersion(); }
// Appends `suffix` to `text`; false when the SDK could not make the longer
// text.
inline Bool Append(String& text, const String& suffix) {
  return text.Insert(text.GetLength(), suffix) == maxon::OK;
}

}  // namespace vitrel::host
