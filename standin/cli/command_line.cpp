#include "cli/command_line.h"

#include <CLI/CLI.hpp>
#include <map>
#include <optional>
#include <vector>

#include "cli/command_conventions.h"
#include "cli/command_errors.h"
#include "cli/command_options.h"
#include "io/quoted_text.h"
#include "ui/user_values.h"

namespace standin {
namespace {

constexpr std::string_view kReference = "docs/standin.md";

// A mirror gadget's option as given on the command line.
struct GadgetOption {
  const NamedGadget* gadget;
  std::string name;  // "--points", "--no-points"
  bool is_switch;    // a check box's switch, which takes true or false after '='
  bool negated;      // "--no-points": its value turns the check box off
};

class MirrorOptions {
 public:
  explicit MirrorOptions(CLI::App& command) {
    command.add_option("SCENE", scenes_, "the scene files (several need --out-dir), - for standard input")
        ->required()
        ->type_name("");
    for (const NamedGadget& gadget : MirrorGadgets()) {
      const std::string name = "--" + std::string(gadget.name);
      if (gadget.kind == GadgetKind::kCheckbox) {
        gadgets_[command.add_flag(name)->description(WithDefault(gadget.help, gadget.default_value))] = {
            &gadget, name, true, false};
        if (gadget.negatable) {
          const std::string negated = "--no-" + std::string(gadget.name);
          gadgets_[command.add_flag(negated)->description("turns " + name + " off")] = {&gadget, negated,
                                                                                        true, true};
        }
      } else {
        CLI::Option* option =
            command.add_option(name)->description(WithDefault(gadget.help, gadget.default_value));
        gadgets_[option->type_name(std::string(gadget.value_name))] = {&gadget, name, false, false};
      }
    }
    any_gadget_ = command.add_option("--gadget")
                      ->description(
                          "set any gadget of the dialog; VALUE is true, false, an "
                          "integer, a float, R,G,B or text")
                      ->type_name("ID=VALUE");
    select_ = command.add_option("--select")
                  ->description(
                      "mirror this object instead of the scene's selection "
                      "(a name path such as Arm/Hand; repeatable)")
                  ->type_name("PATH");
    out_ = command.add_option("--out")
               ->description("write the scene to FILE (default: standard output)")
               ->type_name("FILE");
    report_ = command.add_option("--report")
                  ->description("write what the run did as JSON to FILE (- for standard output)")
                  ->type_name("FILE");
    dialog_picture_ = command.add_option("--dialog-picture")
                          ->description(
                              "draw the dialog as a PNG picture to FILE, as it is just before Mirror is "
                              "pressed (- for standard output)")
                          ->type_name("FILE");
    picture_ = command.add_option("--picture")
                   ->description(
                       "draw the scene before and after the run as a PNG picture to FILE (front, "
                       "top and side views, the mirror plane dashed; - for standard output)")
                   ->type_name("FILE");
    out_dir_ =
        command.add_option("--out-dir")
            ->description("write each scene as DIR/NAME and print one JSON line per scene (DIR must exist)")
            ->type_name("DIR");
    each_report_ = command.add_flag("--each-report")
                       ->description("with --out-dir: write each scene's report as DIR/NAME.report.json");
    each_picture_ = command.add_flag("--each-picture")
                        ->description("with --out-dir: draw each scene's picture as DIR/NAME.png");
    each_dialog_picture_ =
        command.add_flag("--each-dialog-picture")
            ->description("with --out-dir: draw the dialog of each scene as DIR/NAME.dialog.png");
    undo_ = command.add_flag("--undo")->description("undo the mirror once before writing");
    redo_ = command.add_flag("--redo")->description("then redo it once (needs --undo)");
    host_.emplace(command);  // listed last in the help: they concern the host, not the mirror
  }

  // One scene, or a batch with --out-dir.
  CommandLine Read(const CLI::App& command) const {
    const MirrorRequest request = ReadRequest(command);
    if (out_dir_->count() > 0) return ReadBatch(request);
    if (scenes_.size() > 1) {
      throw UsageError(std::to_string(scenes_.size()) +
                       " scenes need --out-dir DIR, the folder that gets each scene's outputs");
    }
    for (const CLI::Option* option : {each_report_, each_picture_, each_dialog_picture_}) {
      if (option->count() > 0) throw UsageError(option->get_name() + " needs --out-dir DIR");
    }
    return request;
  }

 private:
  // The request, the gadgets in the order given (then ordered for
  // enabling), each value checked before anything loads.
  MirrorRequest ReadRequest(const CLI::App& command) const {
    MirrorRequest request;
    request.scene = scenes_.front();
    request.host = host_->Read();
    std::map<const CLI::Option*, size_t> used;
    for (const CLI::Option* option : command.parse_order()) {
      const std::string& value = option->results()[used[option]++];
      if (const auto found = gadgets_.find(option); found != gadgets_.end()) {
        request.settings.push_back(Setting(found->second, value));
      } else if (option == any_gadget_) {
        request.settings.push_back(AnyGadget(value));
      } else if (option == select_) {
        request.select = true;
        request.selection.push_back(value);
      }
    }
    request.out = Last(out_, "-");
    request.report = Last(report_);
    request.picture = Last(picture_);
    request.dialog_picture = Last(dialog_picture_);
    request.undo = SwitchedOn(undo_);
    request.redo = SwitchedOn(redo_);
    RefuseBinaryOnTerminal("--picture", request.picture);
    RefuseBinaryOnTerminal("--dialog-picture", request.dialog_picture);
    if (request.redo && !request.undo) throw UsageError("--redo needs --undo");
    OrderForEnabling(request.settings);
    return request;
  }

  // The options that name one file have a switch for each scene's file; the
  // journal, the pictures of every dialog and the failing host calls
  // concern one run of the host, which a batch shares.
  MirrorBatchRequest ReadBatch(const MirrorRequest& request) const {
    if (out_->count() > 0) {
      throw UsageError("--out names one file and --out-dir a folder for every scene; give only one of them");
    }
    const std::pair<const CLI::Option*, const char*> per_scene[] = {
        {report_, "--each-report"}, {picture_, "--each-picture"}, {dialog_picture_, "--each-dialog-picture"}};
    for (const auto& [option, each] : per_scene) {
      if (option->count() == 0) continue;
      throw UsageError(option->get_name() + " names one file; with --out-dir, " + each +
                       " writes one for each scene into DIR");
    }
    for (const CLI::Option* option : {host_->journal, host_->pictures, host_->fail_op, host_->fail_seed}) {
      if (option->count() == 0) continue;
      throw UsageError(
          option->get_name() +
          " concerns a single run and does not go with --out-dir; mirror the scene alone to use it");
    }
    MirrorBatchRequest batch;
    batch.each = request;
    batch.scenes = scenes_;
    batch.out_dir = Last(out_dir_);
    batch.reports = SwitchedOn(each_report_);
    batch.pictures = SwitchedOn(each_picture_);
    batch.dialog_pictures = SwitchedOn(each_dialog_picture_);
    CheckBatchScenes(batch.scenes);
    return batch;
  }

  static GadgetSetting Setting(const GadgetOption& option, const std::string& value) {
    if (option.is_switch) {
      // A bare switch comes as "true"; a value given with '=' is named as given.
      const std::string written = value == "true" ? option.name : option.name + "=" + value;
      const bool on = ReadSwitch(value, option.name) != option.negated;
      return {written, option.gadget->id, on ? "true" : "false"};
    }
    const std::string written = option.name + " " + value;
    try {
      return {written, option.gadget->id, GadgetValueOf(*option.gadget, value)};
    } catch (const UsageError& error) {
      throw UsageError(written + ": " + error.what());
    }
  }

  // --gadget ID=VALUE
  static GadgetSetting AnyGadget(const std::string& word) {
    const size_t equals = word.find('=');
    if (equals == std::string::npos) {
      throw UsageError("bad value " + QuoteForMessage(word) + " for --gadget (ID=VALUE)");
    }
    const int32_t id = ReadInteger<int32_t>(word.substr(0, equals), "the gadget id of --gadget");
    return {"--gadget " + word, id, word.substr(equals + 1)};
  }

  std::optional<HostOptions> host_;
  std::vector<std::string> scenes_;
  std::map<const CLI::Option*, GadgetOption> gadgets_;
  CLI::Option* any_gadget_;
  CLI::Option* select_;
  CLI::Option* out_;
  CLI::Option* report_;
  CLI::Option* picture_;
  CLI::Option* dialog_picture_;
  CLI::Option* out_dir_;
  CLI::Option* each_report_;
  CLI::Option* each_picture_;
  CLI::Option* each_dialog_picture_;
  CLI::Option* undo_;
  CLI::Option* redo_;
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
      "--color-mode come first, as a user enables gadgets before using them.");

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
