#include "ui_testing.h"

#include "host/faults.h"
#include "journal/journal.h"
#include "table/commands.h"
#include "ui/dialog.h"

namespace standin::testing {
namespace {

ProbeDialog& Probe(void* user) { return *static_cast<ProbeDialog*>(user); }

int32_t OnLayout(void* user) {
  ProbeDialog& probe = Probe(user);
  probe.calls.push_back("layout");
  if (probe.on_layout) probe.on_layout(probe);
  return probe.layout_result ? 1 : 0;
}

int32_t OnValues(void* user) {
  Probe(user).calls.push_back("values");
  return 1;
}

int32_t OnCommand(void* user, int32_t id) {
  ProbeDialog& probe = Probe(user);
  probe.calls.push_back("command " + std::to_string(id));
  if (probe.on_command) probe.on_command(probe, id);
  return 1;
}

int32_t OnAskClose(void* user) {
  ProbeDialog& probe = Probe(user);
  probe.calls.push_back("ask");
  return probe.keep_open ? 1 : 0;
}

constexpr VtDialogCallbacks kCallbacks = {sizeof(VtDialogCallbacks), OnLayout, OnValues, OnCommand,
                                          OnAskClose};

}  // namespace

JournalCapture::JournalCapture() { HostJournal().SetOutput(&out_); }

JournalCapture::~JournalCapture() { HostJournal().SetOutput(nullptr); }

std::vector<rapidjson::Document> JournalCapture::Events() {
  HostJournal().Flush();
  std::vector<rapidjson::Document> events;
  std::istringstream lines(out_.str());
  for (std::string line; std::getline(lines, line);) {
    events.emplace_back();
    events.back().Parse(line.c_str());
  }
  return events;
}

std::vector<std::string> JournalCapture::Names() {
  std::vector<std::string> names;
  for (const auto& event : Events()) names.emplace_back(event["event"].GetString());
  return names;
}

std::vector<rapidjson::Document> JournalCapture::Events(const std::string& name) {
  std::vector<rapidjson::Document> matching;
  for (auto& event : Events()) {
    if (name == event["event"].GetString()) matching.push_back(std::move(event));
  }
  return matching;
}

ProbeDialog::ProbeDialog() { handle = Ui().dialog_alloc(&kCallbacks, this); }

ProbeDialog::~ProbeDialog() { Ui().dialog_free(handle); }

void ResetHost() {
  HostDialogs().Clear();
  HostCommands().DestroyAll();
  HostFaults().Clear();
}

}  // namespace standin::testing
