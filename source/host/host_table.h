// The host's operation tables, as handed to the plug-in at start.
#pragma once

#include "vitrel_host_abi.h"

namespace vitrel::host {

// Keeps the table for every later call. Refuses (false) a null table, a table
// of another layout version, or one smaller than this plug-in needs.
bool Bind(const VtHostTable* table);
// Forgets the table; no host call may be made afterwards.
void Unbind();
bool IsBound();

// The bound tables. Only valid while bound.
const VtHostTable& Table();
inline const VtMemoryOps& Memory() { return *Table().memory; }
inline const VtSceneOps& SceneOps() { return *Table().scene; }
inline const VtUiOps& UiOps() { return *Table().ui; }
inline const VtFileOps& FileOps() { return *Table().files; }
inline const VtPluginOps& PluginOps() { return *Table().plugins; }

}  // namespace vitrel::host
