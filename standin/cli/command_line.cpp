#include "cli/command_line.h"

#include <CLI/CLI.hpp>
#include <memory>
#include <optional>
#include <vector>

#include "base/quoted_text.h"
#include "cli/command_conventions.h"
#include "cli/command_options.h"
#include "cli/info_command.h"
#include "cli/mirror_command_line.h"
#include "cli/render_command.h"
#include "cli/script_command.h"
#include "session/command_errors.h"
#include "ui/user_values.h"
#include "validate/validate_command.h"

namespace standin {
namespace {

constexpr std::string_view kReference = "docs/standin.md";

// `info`: the scene and the form of its listing.
class InfoOptions {
 public:
  explicit InfoOptions(CLI::App& command) {
    AddOperand(command, "SCENE", request_.scene, "the scene file");
    command.add_flag("--json", request_.json, "print the tree as JSON");
    command.add_flag(
        "--flat", request_.flat,
        "print the objects as JSON, one record per object with its path, depth, parent and world placement");
    command.add_flag("--params", request_.params, "list each object's parameters");
  }

  CommandRun Read(const CLI::App&) const {
    return [request = request_] { return RunInfo(request); };
  }

 private:
  InfoRequest request_;
};

// `script`: the script file and the host's options.
class ScriptOptions {
 public:
  explicit ScriptOptions(CLI::App& command) : host_(AddScriptOperand(command, script_)) {
    command.footer(ScriptStepsHelp());
  }

  CommandRun Read(const CLI::App&) const {
    ScriptRequest request;
    request.script = script_;
    request.host = host_.Read();
    return [request] { return RunScript(request); };
  }

 private:
  // The operand comes before the host's options in the help.
  static CLI::App& AddScriptOperand(CLI::App& command, std::string& script) {
    AddOperand(command, "FILE", script, "the script");
    return command;
  }

  std::string script_;
  HostOptions host_;
};

// `validate`: the host's options and how hard and with which draws to test.
class ValidateOptions {
 public:
  explicit ValidateOptions(CLI::App& command) {
    strictness_ =
        command.add_option("--strictness")
            ->description("how many steps each check takes, from 1 (seconds) to 10 (minutes) (default 3)")
            ->type_name("1..10");
    seed_ = command.add_option("--seed")
                ->description("the seed every random draw derives from; a failure names it (default 1)")
                ->type_name("N");
    test_ = command.add_option("--test")
                ->description("run only this check (repeatable; default: every check)")
                ->type_name("NAME");
    list_ =
        command.add_flag("--list")->description("print each check's name and what it checks, and run none");
    host_.emplace(command, false);
    host_->journal->description(
        "write the journal of the first failing step, or of the last one, to FILE (- for standard output)");
    host_->quiet->description("print no result lines (a failure is still shown on standard error)");
    command.footer(
        "Exit status: 0 every test passed, 1 a step failed (one line names the test, the step and the seed "
        "that reproduce it), 2 usage error.");
    command.footer([] { return "Checks, in the order they run: " + CheckNames() + "."; });
  }

  CommandRun Read(const CLI::App&) const {
    ValidateRequest request;
    request.host = host_->Read();
    if (strictness_->count() > 0) request.strictness = ReadInteger(Last(strictness_), "--strictness", 1, 10);
    if (seed_->count() > 0) request.seed = ReadInteger<uint64_t>(Last(seed_), "--seed");
    for (const std::string& name : test_->results()) {
      if (!IsCheck(name)) {
        throw UsageError("unknown check " + QuoteForMessage(name) + " for --test (" + CheckNames() + ")");
      }
      request.checks.push_back(name);
    }
    request.list = SwitchedOn(list_);
    return [request] { return RunValidate(request); };
  }

 private:
  static bool IsCheck(std::string_view name) {
    for (const ValidationCheck& check : ValidationChecks()) {
      if (check.name == name) return true;
    }
    return false;
  }

  static std::string CheckNames() {
    std::string names;
    for (const ValidationCheck& check : ValidationChecks()) {
      names += (names.empty() ? "" : ", ") + std::string(check.name);
    }
    return names;
  }

  std::optional<HostOptions> host_;
  CLI::Option* strictness_;
  CLI::Option* seed_;
  CLI::Option* test_;
  CLI::Option* list_;
};

// `render`: the scene, the picture file, the views and the picture's size.
class RenderOptions {
 public:
  explicit RenderOptions(CLI::App& command) {
    AddOperand(command, "SCENE", scene_, "the scene file");
    out_ = command.add_option("--out")
               ->description("write the picture as a PNG to FILE (- for standard output)")
               ->type_name("FILE")
               ->required();
    view_ =
        command.add_option("--view")
            ->description(WithDefault("the view: front (X right, Y up), top (X right, Z down), side (Z left, "
                                      "Y up), or all three side by side",
                                      "all"))
            ->type_name("front|top|side|all");
    command.footer("The views and what they show: docs/standin-render.md in Vitrel's source tree.");
    size_ = command.add_option("--size")
                ->description(
                    "the picture's width and height in pixels, each from 16 to 8192 (default 1200,440 "
                    "for all views, 800,600 for one)")
                ->type_name("W,H");
  }

  CommandRun Read(const CLI::App&) const {
    RenderRequest request;
    request.scene = scene_;
    request.out = Last(out_);
    RefuseBinaryOnTerminal("--out", request.out);
    if (view_->count() > 0) {
      const std::optional<std::vector<View>> views = ReadViews(Last(view_));
      if (!views) {
        throw UsageError("bad value " + QuoteForMessage(Last(view_)) +
                         " for --view (front, top, side or all)");
      }
      request.views = *views;
    }
    if (size_->count() > 0) {
      request.size = ReadPictureSize(Last(size_));
      if (!request.size) {
        throw UsageError(
            "bad value " + QuoteForMessage(Last(size_)) +
            " for --size (W,H: width and height in pixels, each from 16 to 8192, such as 1200,440)");
      }
    }
    return [request] { return RunRender(request); };
  }

 private:
  std::string scene_;
  CLI::Option* out_;
  CLI::Option* view_;
  CLI::Option* size_;
};

// A word that no option or operand took.
void CheckNothingLeft(const CLI::App& command) {
  std::vector<std::string> left = command.remaining();
  DropEndOfOptions(left);
  if (left.empty()) return;
  const std::string& word = left.front();
  if (word.size() > 1 && word.front() == '-') throw UsageError("unknown option " + ShowInMessage(word));
  throw UsageError("unexpected argument " + ShowInMessage(word));
}

std::string HelpHint(const CLI::App& app) {
  const std::vector<CLI::App*> chosen = app.get_subcommands();
  return " (see standin " + (chosen.empty() ? std::string() : chosen.front()->get_name() + " ") + "--help)";
}

// Reads a subcommand's options once the parser has filled them in.
using ReadCommand = std::function<CommandRun(const CLI::App&)>;

// Adds `Options` to a subcommand; the reader keeps them for the parse.
template <class Options>
ReadCommand AddOptions(CLI::App& command) {
  auto options = std::make_shared<Options>(command);
  return [options](const CLI::App& parsed) { return options->Read(parsed); };
}

// The subcommands, in the order the help lists them.
struct Subcommand {
  std::string_view name;
  std::string_view help;
  ReadCommand (*add)(CLI::App& command);
};

constexpr Subcommand kSubcommands[] = {
    {"info", "print the scene as an indented tree of objects", AddOptions<InfoOptions>},
    {"mirror", "mirror the selection through the plug-in's dialog, as a user would",
     AddOptions<MirrorOptions>},
    {"script", "run the steps of a script file, one per line", AddOptions<ScriptOptions>},
    {"render", "draw the scene in orthographic views (front, top, side) as a PNG picture",
     AddOptions<RenderOptions>},
    {"validate",
     "test the plug-in hard: load and end it, its dialog, odd gadget values, random mirrors, failing host "
     "calls",
     AddOptions<ValidateOptions>},
};

}  // namespace

CommandLine ParseCommandLine(std::span<const std::string_view> words) {
  CLI::App app(
      "The stand-in host of the Vitrel plug-in: it loads the plug-in, keeps a scene and runs the "
      "plug-in's command and dialog as a user would.",
      "standin");
  // Every system takes options as --name: a path such as /tmp/arm.json is
  // an operand on Windows too. Set before the commands, which inherit it.
  app.allow_windows_style_options(false);
  app.set_version_flag("--version", "standin " STANDIN_VERSION);
  app.require_subcommand(0, 1);
  app.allow_extras();
  app.get_formatter()->column_width(36);
  app.footer(
      "Exit status: 0 done, 1 an output could not be written or the plug-in failed a step (or a test "
      "of validate), 2 usage "
      "error, 3 the scene or script cannot be read, 4 no loaded plug-in registered the command a step "
      "needs, 5 under --strict the run would have given a notice.\n\nEvery command has its own --help (also "
      "standin help COMMAND). The full reference is " +
      std::string(kReference) + " in Vitrel's source tree.");

  std::vector<std::string> commands;
  std::vector<std::pair<CLI::App*, ReadCommand>> readers;
  for (const Subcommand& subcommand : kSubcommands) {
    CLI::App* command = app.add_subcommand(std::string(subcommand.name), std::string(subcommand.help));
    TakeEveryValue(*command);
    readers.emplace_back(command, subcommand.add(*command));
    commands.emplace_back(subcommand.name);
  }
  const std::vector<std::string> asked = WithHelpCommandRead(words, commands);
  std::vector<std::string> reversed(asked.rbegin(), asked.rend());
  try {
    app.parse(reversed);
  } catch (const CLI::CallForHelp&) {
    return Printout{app.help()};
  } catch (const CLI::CallForAllHelp&) {
    return Printout{app.help("", CLI::AppFormatMode::All)};
  } catch (const CLI::CallForVersion& version) {
    return Printout{std::string(version.what()) + "\n"};
  } catch (const CLI::ParseError& error) {
    throw UsageError(error.what() + HelpHint(app));
  }
  try {
    for (const auto& [command, read] : readers) {
      if (!command->parsed()) continue;
      CheckNothingLeft(*command);
      return read(*command);
    }
    const std::vector<std::string> left = app.remaining();
    if (left.empty()) throw UsageError("missing command");
    const std::string& word = left.front();
    if (word.starts_with('-')) throw UsageError("unknown option " + ShowInMessage(word));
    throw UsageError("unknown command " + ShowInMessage(word) + DidYouMean(word, commands));
  } catch (const UsageError& error) {
    throw UsageError(error.what() + HelpHint(app));
  }
}

}  // namespace standin
