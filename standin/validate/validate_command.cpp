#include "validate/validate_command.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <string>

#include "cli/exit_status.h"
#include "io/output_file.h"

namespace standin {

int RunValidate(const ValidateRequest& request) {
  if (!request.host.journal.empty()) CheckOutputTarget(request.host.journal);
  InstallCrashReport();
  Validation validation(request);
  int status = kExitDone;
  try {
    for (const auto test : {RunLifecycleCheck, RunDialogCheck, RunGadgetsCheck, RunMirrorCheck, RunFaultsCheck}) {
      const std::string figures = test(validation);
      if (!request.host.quiet) {
        std::fputs((figures + "\n").c_str(), stdout);
        std::fflush(stdout);
      }
    }
  } catch (const StepFailure& failure) {
    std::string line = "standin: validate: " + failure.test() + " step " + std::to_string(failure.step()) +
                       " (seed " + std::to_string(request.seed) + "): " + failure.what();
    // One line, whatever the failure's text holds (the loader's lines, a
    // plug-in's message).
    while (!line.empty() && std::isspace(static_cast<unsigned char>(line.back()))) line.pop_back();
    std::replace_if(
        line.begin(), line.end(), [](char c) { return static_cast<unsigned char>(c) < 0x20; }, '?');
    std::fputs((line + "\n").c_str(), stderr);
    status = kExitFailure;
  }
  if (!request.host.journal.empty()) WriteOutput(request.host.journal, validation.journal());
  return status;
}

}  // namespace standin
