// Messages to the user and requests to the system, through the host.
#pragma once

#include "host/filename.h"
#include "host/host_string.h"
#include "host/host_types.h"

// Message-box type of a warning with one button.
inline constexpr Int32 MESSAGE_WARNING = 48;

// Writes a line to the host's console; an incomplete text is not written.
void GePrint(const String& text);
// Shows a modal message box; returns once the user has closed it. An
// incomplete text shows no box.
void MessageDialog(const String& text, Int32 type = MESSAGE_WARNING);
// Opens a file with the system's default application; true when the host
// could hand it over.
Bool GeExecuteFile(const Filename& path);
