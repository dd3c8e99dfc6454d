#include "cli/output_plan.h"

#include <string>

#include "base/quoted_text.h"
#include "io/output_file.h"
#include "session/command_errors.h"

namespace standin {
namespace {

std::string Shown(const NamedFile& file) { return std::string(file.option) + " " + ShowInMessage(file.path); }

}  // namespace

void CheckOutputsApart(std::span<const NamedFile> outputs, std::span<const NamedFile> inputs,
                       std::string_view replaces_input) {
  for (auto later = outputs.begin(); later != outputs.end(); ++later) {
    if (later->path.empty()) continue;
    for (auto earlier = outputs.begin(); earlier != later; ++earlier) {
      if (earlier->path.empty() || !SameFile(earlier->path, later->path)) continue;
      if (earlier->path == "-" || later->path == "-") {
        throw UsageError(Shown(*later) + " and " + Shown(*earlier) +
                         " both write to standard output; send one of them to a file");
      }
      throw UsageError(Shown(*later) + " names the same file as " + Shown(*earlier) +
                       "; give each output a file of its own");
    }
    if (later->option == replaces_input || later->may_replace_input) continue;
    for (const NamedFile& input : inputs) {
      if (input.path.empty() || input.path == "-" || !SameFile(input.path, later->path)) continue;
      throw UsageError(Shown(*later) + " names the file read as " + Shown(input) +
                       ", which it would overwrite; name another file");
    }
  }
}

}  // namespace standin
