#include "host/console.h"

#include "host/host_table.h"

// A text that could not be built in full is not shown: an empty or partial
// line would tell the user something other than what the plug-in meant.

void GePrint(const String& text) {
  if (text.IsComplete()) vitrel::host::UiOps().console_write(text.ToText());
}

void MessageDialog(const String& text, Int32 type) {
  if (text.IsComplete()) vitrel::host::UiOps().message_box(text.ToText(), type);
}

Bool GeExecuteFile(const Filename& path) {
  return path.IsPopulated() && vitrel::host::FileOps().open_with_default_app(path.handle()) != 0;
}
