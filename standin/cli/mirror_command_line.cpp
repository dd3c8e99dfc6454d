#include "cli/mirror_command_line.h"

#include "base/quoted_text.h"
#include "cli/command_conventions.h"
#include "session/command_errors.h"
#include "ui/user_values.h"

namespace standin {

MirrorOptions::MirrorOptions(CLI::App& command) {
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
        gadgets_[command.add_flag(negated)->description("turns " + name + " off")] = {&gadget, negated, true,
                                                                                      true};
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
  command.footer(
      "Options apply in the order given, except that --duplicate, --keep-color and "
      "--color-mode come first, as a user enables gadgets before using them. With --out-dir, each "
      "scene prints one JSON line and the exit status is the highest of the scenes'.");
}

CommandRun MirrorOptions::Read(const CLI::App& command) const {
  const MirrorRequest request = ReadRequest(command);
  if (out_dir_->count() > 0) return [batch = ReadBatch(request)] { return RunMirrorBatch(batch); };
  if (scenes_.size() > 1) {
    throw UsageError(std::to_string(scenes_.size()) +
                     " scenes need --out-dir DIR, the folder that gets each scene's outputs");
  }
  for (const CLI::Option* option : {each_report_, each_picture_, each_dialog_picture_}) {
    if (option->count() > 0) throw UsageError(option->get_name() + " needs --out-dir DIR");
  }
  return [request] { return RunMirror(request); };
}

MirrorRequest MirrorOptions::ReadRequest(const CLI::App& command) const {
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

MirrorBatchRequest MirrorOptions::ReadBatch(const MirrorRequest& request) const {
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

GadgetSetting MirrorOptions::Setting(const GadgetOption& option, const std::string& value) {
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

GadgetSetting MirrorOptions::AnyGadget(const std::string& word) {
  const size_t equals = word.find('=');
  if (equals == std::string::npos) {
    throw UsageError("bad value " + QuoteForMessage(word) + " for --gadget (ID=VALUE)");
  }
  const int32_t id = ReadInteger<int32_t>(word.substr(0, equals), "the gadget id of --gadget");
  return {"--gadget " + word, id, word.substr(equals + 1)};
}

}  // namespace standin
