#include "host/console.h"

#include "host/host_table.h"

void GePrint(const String& text) { vitrel::host::UiOps().console_write(text.ToText()); }

void MessageDialog(const String& text, Int32 type) { vitrel::host::UiOps().message_box(text.ToText(), type); }

Bool GeExecuteFile(const Filename& path) {
  return path.handle() != nullptr && vitrel::host::FileOps().open_with_default_app(path.handle()) != 0;
}
