#include "cli/program.h"

#include <algorithm>
#include <cstdio>
#include <string>

#include "cli/command_line.h"
#include "cli/error_status.h"
#include "io/output_file.h"
#include "session/exit_status.h"

namespace standin {
namespace {

// One line on standard error; control characters (from file names, say)
// would break it, so they show as '?'.
void Report(std::string_view message) {
  std::string line = "standin: ";
  line += message;
  std::replace_if(
      line.begin(), line.end(), [](char c) { return static_cast<unsigned char>(c) < 0x20; }, '?');
  line += '\n';
  std::fputs(line.c_str(), stderr);
}

int Dispatch(std::span<const std::string_view> words) {
  const CommandLine line = ParseCommandLine(words);
  if (const auto* printout = std::get_if<Printout>(&line)) {
    WriteOutput("-", printout->text);
    return kExitDone;
  }
  return std::get<CommandRun>(line)();
}

}  // namespace

int RunProgram(std::span<const std::string_view> words) {
  try {
    return Dispatch(words);
  } catch (...) {
    const ErrorOutcome outcome = OutcomeOfCurrentError();
    Report(outcome.message);
    return outcome.status;
  }
}

}  // namespace standin
