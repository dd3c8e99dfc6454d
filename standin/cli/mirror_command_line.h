// The options of `standin mirror`: the gadgets by name, the outputs, and
// the scenes of a batch with --out-dir.
#pragma once

#include <CLI/CLI.hpp>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "cli/command_line.h"
#include "cli/command_options.h"
#include "cli/mirror_batch.h"
#include "cli/mirror_command.h"

namespace standin {

// A mirror gadget's option as given on the command line.
struct GadgetOption {
  const NamedGadget* gadget;
  std::string name;  // "--points", "--no-points"
  bool is_switch;    // a check box's switch, which takes true or false after '='
  bool negated;      // "--no-points": its value turns the check box off
};

class MirrorOptions {
 public:
  explicit MirrorOptions(CLI::App& command);

  // One scene, or a batch with --out-dir.
  CommandRun Read(const CLI::App& command) const;

 private:
  // The request, the gadgets in the order given (then ordered for
  // enabling), each value checked before anything loads.
  MirrorRequest ReadRequest(const CLI::App& command) const;

  // The options that name one file have a switch for each scene's file; the
  // journal, the pictures of every dialog and the failing host calls
  // concern one run of the host, which a batch shares.
  MirrorBatchRequest ReadBatch(const MirrorRequest& request) const;

  static GadgetSetting Setting(const GadgetOption& option, const std::string& value);

  // --gadget ID=VALUE
  static GadgetSetting AnyGadget(const std::string& word);

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

}  // namespace standin
