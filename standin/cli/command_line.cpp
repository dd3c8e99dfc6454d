#include "cli/command_line.h"

#include <CLI/CLI.hpp>
#include <optional>
#include <vector>

#include "cli/command_conventions.h"
#include "cli/command_errors.h"
#include "cli/command_options.h"
#include "cli/mirror_command_line.h"
#include "io/quoted_text.h"
#include "ui/user_values.h"

namespace standin {
namespace {

constexpr std::string_view kReference = "docs/standin.md";

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
    command.footer([] { return "Checks, in the order they run: " + CheckNames() + "."; });
  }

  ValidateRequest Read() const {
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
    return request;
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
    size_ = command.add_option("--size")
                ->description(
                    "the picture's width and height in pixels, each from 16 to 8192 (default 1200,440 "
                    "for all views, 800,600 for one)")
                ->type_name("W,H");
  }

  RenderRequest Read() const {
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
    return request;
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

  InfoRequest info;
  CLI::App* info_command = app.add_subcommand("info", "print the scene as an indented tree of objects");
  TakeEveryValue(*info_command);
  AddOperand(*info_command, "SCENE", info.scene, "the scene file");
  info_command->add_flag("--json", info.json, "print the tree as JSON");
  info_command->add_flag(
      "--flat", info.flat,
      "print the objects as JSON, one record per object with its path, depth, parent and world placement");
  info_command->add_flag("--params", info.params, "list each object's parameters");

  CLI::App* mirror_command =
      app.add_subcommand("mirror", "mirror the selection through the plug-in's dialog, as a user would");
  TakeEveryValue(*mirror_command);
  MirrorOptions mirror(*mirror_command);
  mirror_command->footer(
      "Options apply in the order given, except that --duplicate, --keep-color and "
      "--color-mode come first, as a user enables gadgets before using them. With --out-dir, each "
      "scene prints one JSON line and the exit status is the highest of the scenes'.");

  ScriptRequest script;
  CLI::App* script_command = app.add_subcommand("script", "run the steps of a script file, one per line");
  TakeEveryValue(*script_command);
  AddOperand(*script_command, "FILE", script.script, "the script");
  const HostOptions script_host(*script_command);
  script_command->footer(ScriptStepsHelp());

  CLI::App* render_command = app.add_subcommand(
      "render", "draw the scene in orthographic views (front, top, side) as a PNG picture");
  TakeEveryValue(*render_command);
  const RenderOptions render(*render_command);
  render_command->footer("The views and what they show: docs/standin-render.md in Vitrel's source tree.");

  CLI::App* validate_command = app.add_subcommand(
      "validate",
      "test the plug-in hard: load and end it, its dialog, odd gadget values, random mirrors, "
      "failing host calls");
  TakeEveryValue(*validate_command);
  const ValidateOptions validate(*validate_command);
  validate_command->footer(
      "Exit status: 0 every test passed, 1 a step failed (one line names the test, the step and the seed "
      "that reproduce it), 2 usage error.");

  const std::vector<std::string> commands = {"info", "mirror", "script", "render", "validate"};
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
    if (info_command->parsed()) {
      CheckNothingLeft(*info_command);
      return info;
    }
    if (mirror_command->parsed()) {
      CheckNothingLeft(*mirror_command);
      return mirror.Read(*mirror_command);
    }
    if (script_command->parsed()) {
      CheckNothingLeft(*script_command);
      script.host = script_host.Read();
      return script;
    }
    if (render_command->parsed()) {
      CheckNothingLeft(*render_command);
      return render.Read();
    }
    if (validate_command->parsed()) {
      CheckNothingLeft(*validate_command);
      return validate.Read();
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
