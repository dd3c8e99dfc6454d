// The command line of `standin`: its subcommands and their options, read by
// the argument parser into one request per subcommand.
#pragma once

#include <span>
#include <string>
#include <string_view>
#include <variant>

#include "cli/info_command.h"
#include "cli/mirror_batch.h"
#include "cli/mirror_command.h"
#include "cli/render_command.h"
#include "cli/script_command.h"
#include "validate/validate_command.h"

namespace standin {

// Text the program prints on standard output and then ends with status 0:
// help or the version.
struct Printout {
  std::string text;
};

using CommandLine = std::variant<Printout, InfoRequest, MirrorRequest, MirrorBatchRequest, ScriptRequest,
                                 ValidateRequest, RenderRequest>;

// Reads `words` (without the program's name). Options may come before or
// after the operand, as `--opt value` or `--opt=value`. Throws UsageError
// for a command line that does not fit, its message naming the help to read.
CommandLine ParseCommandLine(std::span<const std::string_view> words);

}  // namespace standin
