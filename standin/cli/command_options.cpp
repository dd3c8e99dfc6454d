#include "cli/command_options.h"

#include <algorithm>
#include <array>

#include "cli/program_location.h"
#include "table/host_table.h"
#include "ui/filename.h"

namespace standin {

std::string WithDefault(std::string_view help, std::string_view default_value) {
  std::string text(help);
  if (text.ends_with(')')) {
    text.insert(text.size() - 1, "; default " + std::string(default_value));
  } else {
    text += " (default " + std::string(default_value) + ")";
  }
  return text;
}

bool ReadSwitch(const std::string& value, std::string_view option) {
  static constexpr std::array<std::string_view, 4> kOn = {"true", "1", "yes", "on"};
  static constexpr std::array<std::string_view, 4> kOff = {"false", "0", "no", "off"};
  std::string lower = value;
  std::transform(lower.begin(), lower.end(), lower.begin(),
                 [](unsigned char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; });
  if (std::find(kOn.begin(), kOn.end(), lower) != kOn.end()) return true;
  if (std::find(kOff.begin(), kOff.end(), lower) != kOff.end()) return false;
  throw UsageError("bad value " + QuoteForMessage(value) + " for " + std::string(option) +
                   " (a switch: true or false, also 1 or 0, yes or no, on or off)");
}

bool SwitchedOn(const CLI::Option* option) {
  if (option == nullptr) return false;
  bool on = false;
  // Each value is checked, not only the last that counts: a word a switch
  // cannot take is a mistake wherever it stands.
  for (const std::string& value : option->results()) on = ReadSwitch(value, option->get_name());
  return on;
}

std::string Last(const CLI::Option* option, std::string fallback) {
  return option->count() > 0 ? option->results().back() : fallback;
}

void TakeEveryValue(CLI::App& command) {
  command.option_defaults()->multi_option_policy(CLI::MultiOptionPolicy::TakeAll);
  command.allow_extras();  // words nobody takes are reported by CheckNothingLeft()
}

void AddOperand(CLI::App& command, const std::string& name, std::string& path, const std::string& what) {
  command.add_option(name, path, what + ", - for standard input")->required()->type_name("");
}

HostOptions::HostOptions(CLI::App& command, bool user_session)
    : journal(command.add_option("--journal")
                  ->description("write the journal of the session to FILE (- for standard output)")
                  ->type_name("FILE")),
      plugins(command.add_option("--plugins")
                  ->description("load the plug-in folders below DIR (default: the plugins folder "
                                "beside standin's bin folder)")
                  ->type_name("DIR")),
      host_version(command.add_option("--host-version")
                       ->description(WithDefault("the host version announced to the plug-ins",
                                                 std::to_string(kDefaultHostVersion)))
                       ->type_name("N")),
      open_files(user_session
                     ? command.add_flag("--open-files")
                           ->description("open the files the plug-in asks to open with the system's viewer")
                     : nullptr),
      fail_op(user_session ? command.add_option("--fail-op")
                                 ->description("make the N-th host call that may fail fail (counted from 1 "
                                               "over every kind: memory, clones, containers, dialogs, ...)")
                                 ->type_name("N")
                           : nullptr),
      fail_seed(user_session ? command.add_option("--fail-seed")
                                   ->description("make about one in 16 of the host calls that may fail fail, "
                                                 "chosen by seed S (the same calls on every system)")
                                   ->type_name("S")
                             : nullptr),
      pictures(user_session ? command.add_option("--pictures")
                                  ->description("draw every dialog the plug-in opens into DIR as "
                                                "ID.png, ID-2.png, ... (DIR is created when missing)")
                                  ->type_name("DIR")
                            : nullptr),
      quiet(command.add_flag("--quiet")->description("no notices on standard error (errors still go there)")),
      strict(user_session
                 ? command.add_flag("--strict")
                       ->description("fail with exit status 5, writing nothing, where the run would give a "
                                     "notice (nothing selected, several selected, a write the host refused)")
                 : nullptr) {}

HostSettings HostOptions::Read() const {
  HostSettings settings;
  settings.plugins = plugins->count() > 0 ? NativePath(plugins->results().back()) : DefaultPluginsFolder();
  settings.host_version = host_version->count() > 0
                              ? ReadInteger<int32_t>(host_version->results().back(), "--host-version")
                              : kDefaultHostVersion;
  settings.open_files = SwitchedOn(open_files);
  if (fail_op != nullptr && fail_op->count() > 0)
    settings.fail_op = ReadInteger<int64_t>(Last(fail_op), "--fail-op", 1);
  if (fail_seed != nullptr && fail_seed->count() > 0)
    settings.fail_seed = ReadInteger<uint64_t>(Last(fail_seed), "--fail-seed");
  settings.quiet = SwitchedOn(quiet);
  settings.strict = SwitchedOn(strict);
  settings.journal = Last(journal);
  if (pictures != nullptr) settings.pictures = Last(pictures);
  return settings;
}

}  // namespace standin
