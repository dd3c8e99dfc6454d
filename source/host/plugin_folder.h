// The folder the host loaded the plug-in from, kept for the plug-in's whole
// life: its "res" folder holds the resource and the pictures, and the help
// file lies in it.
#pragma once

#include "host/filename.h"
#include "vitrel_host_abi.h"

namespace vitrel::host {

// Keeps a copy of `folder`; the copy stays empty when the host cannot make it.
void KeepPluginFolder(const VtFilename* folder);
// Releases the copy.
void ReleasePluginFolder();

}  // namespace vitrel::host

// The plug-in's folder; empty when the host gave none.
Filename GeGetPluginPath();
