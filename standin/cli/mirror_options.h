// The command line of `standin mirror`: its options, the mirror dialog's
// gadgets they set, and the order in which a user would set them.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "cli/arguments.h"
#include "cli/host_session.h"
#include "ui/dialog.h"

namespace standin {

// One option that sets a gadget: the option as written (for messages), the
// gadget and the value as a user enters it (see SetGadgetAsUser).
struct GadgetSetting {
  std::string option;
  int32_t gadget = 0;
  std::string value;
};

struct MirrorRequest {
  std::string scene;
  HostSettings host;
  // In the order they are applied: as given, except that the gadgets that
  // enable others come first (see OrderForEnabling).
  std::vector<GadgetSetting> settings;
  bool select = false;  // --select was given: `selection` replaces the scene's
  std::vector<std::string> selection;
  std::string out = "-";
  bool undo = false;
  bool redo = false;
};

// Reads the words after `mirror`; every value that does not depend on the
// dialog is checked here, before anything loads.
MirrorRequest ReadMirrorRequest(Arguments& arguments);

// Moves the settings of 10008 (duplicate), then 10018 (keep colour), then
// 10019 (colour mode) before all others, keeping the order given within
// each: a user switches those on before the gadgets they enable, and a
// disabled gadget cannot be changed.
void OrderForEnabling(std::vector<GadgetSetting>& settings);

// The options a user still has to give to enable gadget `id` of the mirror
// dialog as it stands ("--duplicate and --no-keep-color"); empty when no
// option enables it.
std::string EnablingOptions(const Dialog& dialog, int32_t id);

}  // namespace standin
