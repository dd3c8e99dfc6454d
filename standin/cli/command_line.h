// The command line of `standin`: its subcommands and their options, read by
// the argument parser from one table of subcommands.
#pragma once

#include <functional>
#include <span>
#include <string>
#include <string_view>
#include <variant>

namespace standin {

// Text the program prints on standard output and then ends with status 0:
// help or the version.
struct Printout {
  std::string text;
};

// A subcommand read from its command line, ready to run; it returns the
// program's exit status.
using CommandRun = std::function<int()>;

using CommandLine = std::variant<Printout, CommandRun>;

// Reads `words` (without the program's name). Options may come before or
// after the operand, as `--opt value` or `--opt=value`. Throws UsageError
// for a command line that does not fit, its message naming the help to read.
CommandLine ParseCommandLine(std::span<const std::string_view> words);

}  // namespace standin
