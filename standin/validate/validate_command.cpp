#include "validate/validate_command.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <cstdio>
#include <optional>
#include <string>

#include "io/output_file.h"
#include "session/exit_status.h"

namespace standin {
namespace {

constexpr std::array<ValidationCheck, 5> kChecks = {{
    {"lifecycle", "loads and ends the plug-in over and over; its command registered exactly while it runs",
     RunLifecycleCheck},
    {"dialog", "closes and reopens the dialog; every gadget shows what it showed at the close",
     RunDialogCheck},
    {"gadgets", "gives every gadget and menu command values no user could enter", RunGadgetsCheck},
    {"mirror", "random mirrors of random scenes, undone and redone; objects land at their reflection",
     RunMirrorCheck},
    {"faults", "fails each host call that may fail once; the plug-in survives and undo restores the scene",
     RunFaultsCheck},
}};

void PrintLine(const std::string& line) {
  std::fputs((line + "\n").c_str(), stdout);
  std::fflush(stdout);
}

// One line, whatever the failure's text holds (the loader's lines, a
// plug-in's message).
std::string OneLine(std::string line) {
  while (!line.empty() && std::isspace(static_cast<unsigned char>(line.back()))) line.pop_back();
  std::replace_if(
      line.begin(), line.end(), [](char c) { return static_cast<unsigned char>(c) < 0x20; }, '?');
  return line;
}

bool Chosen(const ValidateRequest& request, std::string_view name) {
  return request.checks.empty() ||
         std::find(request.checks.begin(), request.checks.end(), name) != request.checks.end();
}

void PrintList() {
  for (const ValidationCheck& check : kChecks) {
    std::string name(check.name);
    name.resize(std::max<size_t>(name.size() + 2, 11), ' ');
    PrintLine(name + std::string(check.checks));
  }
}

}  // namespace

std::span<const ValidationCheck> ValidationChecks() { return kChecks; }

int RunValidate(const ValidateRequest& request) {
  if (request.list) {
    PrintList();
    return kExitDone;
  }
  if (!request.host.journal.empty()) CheckOutputTarget(request.host.journal);
  InstallCrashReport();
  Validation validation(request);
  const bool report = !request.host.quiet;
  int passed = 0, failed = 0;
  // The first failure's journal is the one worth reading; later checks
  // still run, so that one run shows every check that fails.
  std::optional<std::string> first_failure_journal;
  for (const ValidationCheck& check : kChecks) {
    if (!Chosen(request, check.name)) continue;
    try {
      const std::string figures = check.run(validation);
      ++passed;
      if (report) PrintLine("PASS " + figures);
    } catch (const StepFailure& failure) {
      ++failed;
      const std::string step =
          "step " + std::to_string(failure.step()) + " (seed " + std::to_string(request.seed) + "): ";
      const std::string what = OneLine(failure.what());
      std::fputs(("standin: validate: " + failure.test() + " " + step + what + "\n").c_str(), stderr);
      if (report) PrintLine("FAIL " + failure.test() + ": " + step + what);
      if (!first_failure_journal) first_failure_journal = validation.journal();
    }
  }
  if (report) PrintLine(std::to_string(passed) + " passed, " + std::to_string(failed) + " failed");
  if (!request.host.journal.empty()) {
    WriteOutput(request.host.journal, first_failure_journal.value_or(validation.journal()));
  }
  return failed == 0 ? kExitDone : kExitFailure;
}

}  // namespace standin
