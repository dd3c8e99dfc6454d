// Helpers of the user-interface tests: the journal read back as JSON, and a
// dialog of the tests' own whose callbacks record what the host does.
#pragma once

#include <rapidjson/document.h>

#include <cstdint>
#include <functional>
#include <sstream>
#include <string>
#include <vector>

#include "table/host_table.h"
#include "ui/vt_text.h"
#include "vitrel_host_abi.h"

namespace standin::testing {

// Captures the host journal while it lives.
class JournalCapture {
 public:
  JournalCapture();
  ~JournalCapture();
  // Every event written so far, parsed.
  std::vector<rapidjson::Document> Events();
  // The names of the events so far, in order.
  std::vector<std::string> Names();
  // The events of one name.
  std::vector<rapidjson::Document> Events(const std::string& name);

 private:
  std::ostringstream out_;
};

inline const VtUiOps& Ui() { return *StandinHostTable().ui; }
inline VtText Text(const char* text) { return LendText(text); }

// A plug-in dialog of the tests: records each callback as "layout",
// "values", "command ID" or "ask", and runs the hooks given.
struct ProbeDialog {
  ProbeDialog();
  ~ProbeDialog();  // frees the host's dialog

  VtDialog* handle = nullptr;
  std::vector<std::string> calls;
  bool layout_result = true;
  bool keep_open = false;  // the answer to ask_close
  std::function<void(ProbeDialog&)> on_layout;
  std::function<void(ProbeDialog&, int32_t)> on_command;
};

// Frees dialogs and commands, clears faults: every test starts alike.
void ResetHost();

}  // namespace standin::testing
