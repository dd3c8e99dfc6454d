// The whole table the stand-in host hands a plug-in at start, and the host's
// calls that go through it.
#pragma once

#include <cstdint>
#include <optional>

#include "vitrel_host_abi.h"

namespace standin {

inline constexpr int32_t kDefaultHostVersion = 23100;

// The host table, every entry filled: memory, the scene (StandinSceneOps),
// the user interface, file names and plug-in registration. The same table
// for the whole process.
const VtHostTable& StandinHostTable();

// The version the table announces (kDefaultHostVersion unless set).
void SetHostVersion(int32_t version);

// The host's active document as the plug-in sees it, or null.
VtDocument* ActiveDocumentHandle();

// Runs registered command `id` in the active document, as a user choosing
// it; nothing when no such command is registered.
std::optional<bool> RunCommand(int32_t id);
// The registered command's state in the active document.
std::optional<int32_t> CommandState(int32_t id);

}  // namespace standin
