// What the commands of the command line share: how an option's value is
// read (integers, switches), the help's defaults, and the options that start
// the host.
#pragma once

#include <CLI/CLI.hpp>
#include <cstdint>
#include <limits>
#include <optional>
#include <string>
#include <string_view>

#include "base/quoted_text.h"
#include "session/command_errors.h"
#include "session/host_session.h"
#include "ui/user_values.h"

namespace standin {

// "what it does (default x)", or "what it does (needs --duplicate; default
// off)" when the help ends with a remark in brackets.
std::string WithDefault(std::string_view help, std::string_view default_value);

// The whole of `text` as an integer from `least` to `most`; a usage error
// that says which integers the option takes otherwise.
template <typename Integer>
Integer ReadInteger(const std::string& text, std::string_view option,
                    Integer least = std::numeric_limits<Integer>::min(),
                    Integer most = std::numeric_limits<Integer>::max()) {
  const std::optional<Integer> value = ParseNumber<Integer>(text);
  if (value && *value >= least && *value <= most) return *value;
  std::string range = " (an integer";
  if (most != std::numeric_limits<Integer>::max()) {
    range += " from " + std::to_string(least) + " to " + std::to_string(most);
  } else if (least != std::numeric_limits<Integer>::min()) {
    range += " from " + std::to_string(least);
  }
  throw UsageError("bad value " + QuoteForMessage(text) + " for " + std::string(option) + range + ")");
}

// A switch's value as given after '=' (CLI11 hands a bare switch over as
// "true"): true, false and their usual spellings; a usage error otherwise,
// since a switch that ignored its value would do the opposite of what
// `--undo=false` asks.
bool ReadSwitch(const std::string& value, std::string_view option);

// Whether a switch is on: its last value, off when it was not given; every
// value given must be a switch's.
bool SwitchedOn(const CLI::Option* option);

// The last value of an option that was given.
std::string Last(const CLI::Option* option, std::string fallback = {});

// Every option may be given more than once; the last one counts, except for
// those whose every value is used (--select, the gadgets).
void TakeEveryValue(CLI::App& command);

// The operand every command takes: a file, or "-" for standard input.
void AddOperand(CLI::App& command, const std::string& name, std::string& path, const std::string& what);

// The options that start the host, shared by `mirror`, `script` and
// `validate`. The validator runs sessions of its own: it opens no files (it
// would open the help file hundreds of times) and makes host calls fail
// itself.
struct HostOptions {
  CLI::Option* journal;
  CLI::Option* plugins;
  CLI::Option* host_version;
  CLI::Option* open_files;
  CLI::Option* fail_op;
  CLI::Option* fail_seed;
  CLI::Option* pictures;
  CLI::Option* quiet;
  CLI::Option* strict;  // null for the validator

  explicit HostOptions(CLI::App& command, bool user_session = true);
  HostSettings Read() const;
};

}  // namespace standin
