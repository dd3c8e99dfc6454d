#include "ui/message_ops.h"

#include "host/plugin_calls.h"
#include "journal/journal.h"
#include "ui/vt_text.h"

namespace standin {
namespace {

void ConsoleWrite(VtText text) { Journal::Event(HostJournal(), "console").Text("text", TextView(text)); }

void ShowMessageBox(VtText text, int32_t type) {
  Journal::Event(HostJournal(), "messagebox").Text("text", TextView(text)).Int("type", type);
}

}  // namespace

void FillMessageOps(VtUiOps& ops) {
  ops.console_write = Checked<ConsoleWrite>;
  ops.message_box = Checked<ShowMessageBox>;
}

}  // namespace standin
