#include "cli/program.h"

#include <algorithm>
#include <cstdio>
#include <string>

#include "cli/command_errors.h"
#include "cli/command_line.h"
#include "cli/error_status.h"
#include "cli/exit_status.h"
#include "io/output_file.h"
#include "io/scene_reader.h"
#include "io/scene_writer.h"

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
  if (const auto* info = std::get_if<InfoRequest>(&line)) return RunInfo(*info);
  if (const auto* mirror = std::get_if<MirrorRequest>(&line)) return RunMirror(*mirror);
  if (const auto* batch = std::get_if<MirrorBatchRequest>(&line)) return RunMirrorBatch(*batch);
  if (const auto* validate = std::get_if<ValidateRequest>(&line)) return RunValidate(*validate);
  if (const auto* render = std::get_if<RenderRequest>(&line)) return RunRender(*render);
  return RunScript(std::get<ScriptRequest>(line));
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
